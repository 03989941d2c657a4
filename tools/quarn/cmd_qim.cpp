// quarn qim create|extract: QIM picture files.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  const std::string_view action = line.operand(0);
  if (action != "create" && action != "extract")
    return usage_error("qim", "expects create or extract, not " + quoted(action));
  const std::string from(line.operand(1));
  const std::string to(line.operand(2));
  if (const auto why = unreadable(from)) return cannot_run("qim", *why);
  const bool create = action == "create";
  const std::int32_t result = create ? quarn_qim_create(from.c_str(), to.c_str())
                                     : quarn_qim_extract(from.c_str(), to.c_str());
  if (result == -2) {
    return failure("qim", quoted(from) + (create ? " is not a JPEG or PNG picture"
                                                 : " is not a QIM file (no QIM00 record)"));
  }
  if (result != 0) {
    return cannot_run("qim", "cannot write " + quoted(to) + " (or read all of " + quoted(from) +
                                 "); check that its folder exists and is writable");
  }
  std::printf("%s\n", to.c_str());
  return kOk;
}

const Registration registration(
    {.name = "qim",
     .summary = "make QIM picture files and take pictures out of them",
     .synopsis = "create IMAGE OUT.qim\nextract IN.qim OUT",
     .description =
         "create writes the JPEG or PNG picture IMAGE as the QIM file OUT.qim, which POP's\n"
         "picture request reads: 128-character text records, the version \"QIM00\", the width,\n"
         "height and type taken from the picture's own header, then its bytes in hexadecimal.\n"
         "extract writes the picture of IN.qim back to OUT, byte for byte. Exits with 1 when\n"
         "the input is not a picture (QIM file), with 3 when a file cannot be opened.\n",
     .operands = {3, 3},
     .expects = "'create IMAGE OUT.qim' or 'extract IN.qim OUT'",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
