// quarn andedit TEXT: a caption with every "&" doubled.
#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  QuarnAndeditRecord record;
  return edit_in_place("andedit", args, record, record.ae_text, &QUARN_ANDEDIT);
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
