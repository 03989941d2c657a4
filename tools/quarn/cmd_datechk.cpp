// quarn datechk DATE: whether a month/day/year date is valid.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "date_args.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  QuarnDatechkRecord record;
  std::memset(&record, ' ', sizeof record);
  char* const switches = reinterpret_cast<char*>(&record) + 10;
  std::memcpy(switches, "NNN", 3);
  bool have_date = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--switches") {
      if (i + 1 >= args.size() || !parse_switches(args[i + 1], {switches, 3}))
        return usage_error("datechk", "--switches takes three characters, e.g. YNN");
      ++i;
    } else if (!have_date) {
      if (!parse_date(args[i], std::span<char, 8>(record.dc_month, 8)))
        return usage_error("datechk", "'" + std::string(args[i]) + "' is not MM/DD/YYYY");
      have_date = true;
    } else {
      return usage_error("datechk", "unexpected '" + std::string(args[i]) + "'");
    }
  }
  if (!have_date) return usage_error("datechk", "expects a date");
  QUARN_DATECHK(&record);
  const std::string result = printable(record.dc_result);
  std::printf("result:   %s (%s)\n", result.c_str(), result == "00" ? "valid" : "invalid");
  std::printf("switches: %s\n", printable({switches, 3}).c_str());
  return kOk;
}

const Registration registration(
    {"datechk", "checks a month/day/year date (DATECHK)",
     "usage: quarn datechk MM/DD/YYYY [--switches ABC]\n"
     "\n"
     "Checks the date with DATECHK and prints its result (00 valid, 99 invalid) and the\n"
     "switches after the call (always NNN). The date is M/D/YYYY with one or two digits for\n"
     "month and day, or eight digits MMDDYYYY.\n"
     "\n"
     "  --switches ABC  the three switches, NNN by default: A zero month, B zero day (N = a\n"
     "                  value below 1 is invalid, any other character accepts it), C year\n"
     "                  (N = 1801-2099, Y = also year 0, any other character = unchecked)\n"
     "\n"
     "example: quarn datechk 02/29/1900\n",
     &run});

}  // namespace
}  // namespace quarn::cli
