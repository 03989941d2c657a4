// quarn mixcase [--sentence] [--address|--names] TEXT: upper-case text into mixed case.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  Options options;
  std::string error;
  if (!parse_options(args, {"--sentence", "--address", "--names"}, {}, options, error))
    return usage_error("mixcase", error);
  if (options.positional.size() != 1) return usage_error("mixcase", "expects one text");
  if (options.has("--address") && options.has("--names"))
    return usage_error("mixcase", "--address and --names exclude each other");
  QuarnMixcaseRecord record;
  if (const auto message = too_long(options.positional[0], record.mc_text))
    return usage_error("mixcase", *message);
  put_field(record.mc_text, options.positional[0]);
  record.mc_style[0] = options.has("--sentence") ? 'S' : ' ';
  record.mc_exception_set[0] = options.has("--address") ? 'A' : options.has("--names") ? 'N' : ' ';
  QUARN_MIXCASE(&record);
  std::printf("%s\n", std::string(trimmed(record.mc_text)).c_str());
  return kOk;
}

const Registration registration(
    {"mixcase", "upper-case text into mixed case",
     "usage: quarn mixcase [--sentence] [--address|--names] TEXT\n"
     "\n"
     "Prints TEXT (up to 100 characters) as MIXCASE converts it. Word style, the default,\n"
     "capitalises every word ('Mary Jones'); --sentence capitalises only the first letter\n"
     "and the first after each full stop. The suite's abbreviations (UPS, NE, SDA ...) keep\n"
     "their capitals; --address adds RR, PO, POBox, Box and MD, --names adds name suffixes\n"
     "and degrees (III, PhD, CPA ...) after the first word, in word style.\n"
     "\n"
     "example: quarn mixcase --address 'PO BOX 12 NE MAIN ST'   ->  PO Box 12 NE Main St\n",
     &run});

}  // namespace
}  // namespace quarn::cli
