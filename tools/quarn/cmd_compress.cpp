// quarn compress TEXT: a text without leading spaces, each run of spaces made one.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 1) return usage_error("compress", "expects one text");
  QuarnCompressRecord record;
  if (const auto message = too_long(args[0], record.cp_text))
    return usage_error("compress", *message);
  put_field(record.cp_text, args[0]);
  QUARN_COMPRESS(&record);
  std::printf("%s\n", std::string(trimmed(record.cp_text)).c_str());
  return kOk;
}

const Registration registration({"compress", "removes surplus spaces from a text",
                                 "usage: quarn compress TEXT\n"
                                 "\n"
                                 "Prints TEXT (up to 100 characters) as COMPRESS leaves it:\n"
                                 "leading spaces dropped and every run of spaces made one.\n"
                                 "\n"
                                 "example: quarn compress '  A  B   C'   ->  A B C\n",
                                 &run});

}  // namespace
}  // namespace quarn::cli
