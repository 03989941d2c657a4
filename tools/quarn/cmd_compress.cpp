// quarn compress TEXT: a text without leading spaces, each run of spaces made one.
#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  QuarnCompressRecord record;
  return edit_in_place(line, record, record.cp_text, &QUARN_COMPRESS);
}

const Registration registration(
    {.name = "compress",
     .summary = "removes surplus spaces from a text",
     .synopsis = "TEXT",
     .description =
         "Prints TEXT (up to 100 characters) as COMPRESS leaves it: leading spaces dropped\n"
         "and every run of spaces made one.\n"
         "\n"
         "example: quarn compress '  A  B   C'   ->  A B C\n",
     .operands = {1, 1},
     .expects = "one text",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
