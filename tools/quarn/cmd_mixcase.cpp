// quarn mixcase [--sentence] [--address|--names] TEXT: upper-case text into mixed case.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  if (line.has("--address") && line.has("--names"))
    return usage_error("mixcase", "--address and --names exclude each other");
  QuarnMixcaseRecord record;
  put_field(record.mc_text, record_text(line.operand(0), record.mc_text));
  record.mc_style[0] = line.has("--sentence") ? 'S' : ' ';
  record.mc_exception_set[0] = line.has("--address") ? 'A' : line.has("--names") ? 'N' : ' ';
  QUARN_MIXCASE(&record);
  std::printf("%s\n", to_terminal(trimmed(record.mc_text)).c_str());
  return kOk;
}

const Registration registration(
    {.name = "mixcase",
     .summary = "upper-case text into mixed case",
     .synopsis = "[--sentence] [--address|--names] TEXT",
     .description =
         "Prints TEXT (up to 100 characters) as MIXCASE converts it. Word style, the default,\n"
         "capitalises every word ('Mary Jones'). The suite's abbreviations (UPS, NE, SDA ...)\n"
         "keep their capitals. MIXCASE changes the case of the letters A-Z only: other\n"
         "letters stay as they are given.\n"
         "\n"
         "example: quarn mixcase --address 'PO BOX 12 NE MAIN ST'   ->  PO Box 12 NE Main St\n",
     .options = {{.name = "--sentence",
                  .help = "capitalise only the first letter and the first after each full stop"},
                 {.name = "--address", .help = "keep RR, PO, POBox, Box and MD as well"},
                 {.name = "--names",
                  .help = "keep name suffixes and degrees (III, PhD, CPA ...) after the\n"
                          "first word, in word style"}},
     .operands = {1, 1},
     .expects = "one text",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
