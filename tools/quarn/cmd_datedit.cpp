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

int run(const Args& args) {
  QuarnDateditRecord record;
  std::memset(&record, ' ', sizeof record);
  std::memcpy(record.de_pivot, "50", 2);
  record.de_month_year[0] = 'N';
  char* const switches = reinterpret_cast<char*>(&record.de_check) + 10;
  std::memcpy(switches, "NNN", 3);
  bool have_text = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--pivot") {
      if (i + 1 >= args.size() || args[i + 1].size() > 2)
        return usage_error("datedit", "--pivot takes a two-digit year, e.g. 30");
      const std::string_view pivot = args[++i];
      std::memset(record.de_pivot, '0', 2);
      std::memcpy(record.de_pivot + 2 - pivot.size(), pivot.data(), pivot.size());
    } else if (args[i] == "--month-year") {
      record.de_month_year[0] = 'Y';
    } else if (args[i] == "--switches") {
      if (i + 1 >= args.size() || !parse_switches(args[i + 1], {switches, 3}))
        return usage_error("datedit", "--switches takes three characters, e.g. NYN");
      ++i;
    } else if (!have_text) {
      if (args[i].size() > sizeof record.de_date_text)
        return usage_error("datedit", "a typed date has at most 10 characters");
      put_field(record.de_date_text, args[i]);
      have_text = true;
    } else {
      return usage_error("datedit", "unexpected '" + std::string(args[i]) + "'");
    }
  }
  if (!have_text) return usage_error("datedit", "expects a typed date");
  QUARN_DATEDIT(&record);
  const std::string result = printable(record.de_result);
  std::printf("text:       [%s]\n", printable(record.de_date_text).c_str());
  std::printf("result:     %s (%s)\n", result.c_str(), meaning(result));
  std::printf("last day:   %s\n", printable(record.de_last_day).c_str());
  std::printf("pivot:      %s\n", printable(record.de_pivot).c_str());
  std::printf("month-year: %s\n", printable(record.de_month_year).c_str());
  std::printf("check:      %s\n", describe_check(record.de_check).c_str());
  return kOk;
}

const Registration registration(
    {"datedit", "splits, completes, checks and rewrites a typed date (DATEDIT)",
     "usage: quarn datedit TEXT [--pivot YY] [--month-year] [--switches ABC]\n"
     "\n"
     "Edits TEXT (at most 10 characters, \"/\", \"-\" or \".\" between month, day and year)\n"
     "with DATEDIT and prints every field afterwards: the rewritten text, the result (00\n"
     "valid, 99 invalid date, 04 no date in the text, or the count of parts when there were\n"
     "too many separators), the last-day indicator (Y when day 99 became the month's last\n"
     "day), the pivot and month-year switch as the call left them, and the check record.\n"
     "\n"
     "  --pivot YY     a two-digit year below YY is in the 2000s, others in the 1900s (50)\n"
     "  --month-year   the text holds only month and year\n"
     "  --switches ABC the check record's switches (NNN; see quarn datechk --help)\n"
     "\n"
     "example: quarn datedit 2-3-04 --pivot 30\n",
     &run});

}  // namespace
}  // namespace quarn::cli
