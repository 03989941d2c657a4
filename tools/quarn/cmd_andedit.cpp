// quarn andedit TEXT: a caption with every "&" doubled.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 1) return usage_error("andedit", "expects one text");
  QuarnAndeditRecord record;
  if (const auto message = too_long(args[0], record.ae_text))
    return usage_error("andedit", *message);
  put_field(record.ae_text, args[0]);
  QUARN_ANDEDIT(&record);
  std::printf("%s\n", std::string(trimmed(record.ae_text)).c_str());
  return kOk;
}

const Registration registration({"andedit", "doubles every '&' of a caption",
                                 "usage: quarn andedit TEXT\n"
                                 "\n"
                                 "Prints TEXT (up to 128 characters) as ANDEDIT leaves it:\n"
                                 "every '&' doubled, so that a window shows it instead of\n"
                                 "taking it as an access-key mark. What passes position 128\n"
                                 "is lost.\n"
                                 "\n"
                                 "example: quarn andedit 'R&D & Co'   ->  R&&D && Co\n",
                                 &run});

}  // namespace
}  // namespace quarn::cli
