// quarn andedit TEXT: a caption with every "&" doubled.
#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  QuarnAndeditRecord record;
  return edit_in_place(line, record, record.ae_text, &QUARN_ANDEDIT);
}

const Registration registration(
    {.name = "andedit",
     .summary = "doubles every '&' of a caption",
     .synopsis = "TEXT",
     .description =
         "Prints TEXT (up to 128 characters) as ANDEDIT leaves it: every '&' doubled, so\n"
         "that a window shows it instead of taking it as an access-key mark. What passes\n"
         "position 128 is lost.\n"
         "\n"
         "example: quarn andedit 'R&D & Co'   ->  R&&D && Co\n",
     .operands = {1, 1},
     .expects = "one text",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
