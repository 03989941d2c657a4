// quarn datedit TEXT: a typed date split, completed, checked and rewritten.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "date_args.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

const char* meaning(const std::string& result) {
  if (result == "00") return "valid";
  if (result == "99") return "invalid date";
  if (result == "04") return "no date in the text";
  return "too many separators";
}

int run(const Parsed& line) {
  QuarnDateditRecord record;
  std::memset(&record, ' ', sizeof record);
  const std::string_view pivot = line.value("--pivot");
  std::memset(record.de_pivot, '0', 2);
  std::memcpy(record.de_pivot + 2 - pivot.size(), pivot.data(), pivot.size());
  record.de_month_year[0] = line.has("--month-year") ? 'Y' : 'N';
  char* const switches = reinterpret_cast<char*>(&record.de_check) + 10;
  std::memcpy(switches, line.value("--switches").data(), 3);
  put_field(record.de_date_text, record_text(line.operand(0), record.de_date_text, "a typed date"));
  QUARN_DATEDIT(&record);
  const std::string result = printable(record.de_result);
  std::printf("text:       [%s]\n", printable(record.de_date_text).c_str());
  std::printf("result:     %s (%s)\n", result.c_str(), meaning(result));
  std::printf("last day:   %s\n", printable(record.de_last_day).c_str());
  std::printf("pivot:      %s\n", printable(record.de_pivot).c_str());
  std::printf("month-year: %s\n", printable(record.de_month_year).c_str());
  std::printf("check:      %s\n", describe_check(record.de_check).c_str());
  return result == "00" ? kOk : kFailure;
}

const Registration registration(
    {.name = "datedit",
     .summary = "splits, completes, checks and rewrites a typed date (DATEDIT)",
     .synopsis = "TEXT [--pivot YY] [--month-year] [--switches ABC]",
     .description =
         "Edits TEXT (at most 10 characters, \"/\", \"-\" or \".\" between month, day and year)\n"
         "with DATEDIT and prints every field afterwards: the rewritten text, the result (00\n"
         "valid, 99 invalid date, 04 no date in the text, or the count of parts when there were\n"
         "too many separators), the last-day indicator (Y when day 99 became the month's last\n"
         "day), the pivot and month-year switch as the call left them, and the check record.\n"
         "Exits with 1 for any result but 00.\n"
         "\n"
         "example: quarn datedit 2-3-04 --pivot 30\n",
     .options = {{.name = "--pivot",
                  .value = "YY",
                  .help = "a two-digit year below YY is in the 2000s, others in the 1900s",
                  .fallback = "50",
                  .check = digits<1, 2>},
                 {.name = "--month-year", .help = "the text holds only month and year"},
                 {.name = "--switches",
                  .value = "ABC",
                  .help = "the check record's switches (see quarn datechk --help)",
                  .fallback = "NNN",
                  .check = characters<3, 3>}},
     .operands = {1, 1},
     .expects = "one typed date",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
