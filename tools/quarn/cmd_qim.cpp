// quarn qim create|extract: QIM picture files.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 3 || (args[0] != "create" && args[0] != "extract"))
    return usage_error("qim", "expects 'create IMAGE OUT.qim' or 'extract IN.qim OUT'");
  const std::string from(args[1]);
  const std::string to(args[2]);
  if (args[0] == "create") {
    const std::int32_t result = quarn_qim_create(from.c_str(), to.c_str());
    if (result == -2) return failure("qim", from + " is not a JPEG or PNG picture");
    if (result != 0) return failure("qim", "cannot read " + from + " or write " + to);
  } else {
    const std::int32_t result = quarn_qim_extract(from.c_str(), to.c_str());
    if (result == -2) return failure("qim", from + " is not a QIM file");
    if (result != 0) return failure("qim", "cannot read " + from + " or write " + to);
  }
  std::printf("%s\n", to.c_str());
  return kOk;
}

const Registration registration(
    {"qim", "make QIM picture files and take pictures out of them",
     "usage: quarn qim create IMAGE OUT.qim\n"
     "       quarn qim extract IN.qim OUT\n"
     "\n"
     "create writes the JPEG or PNG picture IMAGE as the QIM file OUT.qim, which POP's\n"
     "picture request reads: 128-character text records, the version \"QIM00\", the width,\n"
     "height and type taken from the picture's own header, then its bytes in hexadecimal.\n"
     "extract writes the picture of IN.qim back to OUT, byte for byte.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
