// quarn datechk DATE: whether a month/day/year date is valid.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "date_args.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  QuarnDatechkRecord record;
  std::memset(&record, ' ', sizeof record);
  char* const switches = reinterpret_cast<char*>(&record) + 10;
  std::memcpy(switches, line.value("--switches").data(), 3);
  if (!parse_date(line.operand(0), std::span<char, 8>(record.dc_month, 8)))
    return usage_error("datechk", quoted(line.operand(0)) + " is not MM/DD/YYYY");
  QUARN_DATECHK(&record);
  const std::string result = printable(record.dc_result);
  std::printf("result:   %s (%s)\n", result.c_str(), result == "00" ? "valid" : "invalid");
  std::printf("switches: %s\n", printable({switches, 3}).c_str());
  return result == "00" ? kOk : kFailure;
}

const Registration registration(
    {.name = "datechk",
     .summary = "checks a month/day/year date (DATECHK)",
     .synopsis = "MM/DD/YYYY [--switches ABC]",
     .description =
         "Checks the date with DATECHK and prints its result (00 valid, 99 invalid) and the\n"
         "switches after the call (always NNN). The date is M/D/YYYY with one or two digits for\n"
         "month and day, or eight digits MMDDYYYY. Exits with 1 when the date is invalid.\n"
         "\n"
         "example: quarn datechk 02/29/1900\n",
     .options = {{.name = "--switches",
                  .value = "ABC",
                  .help = kSwitchesHelp,
                  .fallback = "NNN",
                  .check = characters<3, 3>}},
     .operands = {1, 1},
     .expects = "one date",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
