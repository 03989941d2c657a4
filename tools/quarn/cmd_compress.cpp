// quarn compress TEXT: a text without leading spaces, each run of spaces made one.
#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  QuarnCompressRecord record;
  return edit_in_place("compress", args, record, record.cp_text, &QUARN_COMPRESS);
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
