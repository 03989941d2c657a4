// quarn getday DATE: the day number and day of the week of a date.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "date_args.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::array<const char*, 9> kWeekdays{"nothing computed", "Sunday",    "Monday",
                                               "Tuesday",          "Wednesday", "Thursday",
                                               "Friday",           "Saturday",  "year 0"};

const char* weekday_name(std::span<const char> field) {
  int64_t value = 0;
  if (quarn_read_display(field.data(), 2, 0, &value) != 0 || value < 0 ||
      value >= static_cast<int64_t>(kWeekdays.size()))
    return "?";
  return kWeekdays[static_cast<std::size_t>(value)];
}

int run(const Args& args) {
  QuarnDatechkRecord check;
  std::memset(&check, ' ', sizeof check);
  std::memcpy(check.dc_result, "00", 2);
  std::memcpy(check.dc_zero_month, "N", 1);
  std::memcpy(check.dc_zero_day, "N", 1);
  std::memcpy(check.dc_year_check, "N", 1);
  QuarnGetdayRecord day;
  std::memset(&day, ' ', sizeof day);
  bool have_date = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--check-result") {
      if (i + 1 >= args.size() || args[i + 1].size() > 2)
        return usage_error("getday", "--check-result takes two characters, e.g. 99");
      put_field(check.dc_result, args[++i]);
    } else if (args[i] == "--zero-month") {
      check.dc_zero_month[0] = 'Y';
    } else if (args[i] == "--zero-day") {
      check.dc_zero_day[0] = 'Y';
    } else if (!have_date) {
      if (!parse_date(args[i], std::span<char, 8>(day.gy_month, 8)))
        return usage_error("getday", "'" + std::string(args[i]) + "' is not MM/DD/YYYY");
      have_date = true;
    } else {
      return usage_error("getday", "unexpected '" + std::string(args[i]) + "'");
    }
  }
  if (!have_date) return usage_error("getday", "expects a date");
  QUARN_GETDAY(&check, &day);
  std::printf("day number:   %s\n", printable(day.gy_day_number).c_str());
  std::printf("weekday:      %s (%s)\n", printable(day.gy_weekday).c_str(),
              weekday_name(day.gy_weekday));
  std::printf("check result: %s\n", printable(day.gy_check_result).c_str());
  std::printf("check:        %s\n", describe_check(check).c_str());
  return kOk;
}

const Registration registration(
    {"getday", "the day number and day of the week of a date (GETDAY)",
     "usage: quarn getday MM/DD/YYYY [--check-result XX] [--zero-month] [--zero-day]\n"
     "\n"
     "Prints the day number GETDAY gives the date (days from 30 December 1799: 1 January\n"
     "1801 is 367), the day of the week (01 Sunday ... 07 Saturday, 08 for year 0, 00 when\n"
     "nothing was computed), the check result passed on, and the check record after the\n"
     "call (it receives a copy of the date). The date is not checked: run quarn datechk\n"
     "first. A month outside 1-12, a year from 1 to 1799 or a check result other than 00\n"
     "gives 000000.\n"
     "\n"
     "  --check-result XX  the check record's result going in (00 computes)\n"
     "  --zero-month       a month of 0 counts as January\n"
     "  --zero-day         a day of 0 counts as the 1st\n"
     "\n"
     "example: quarn getday 01/01/2020\n",
     &run});

}  // namespace
}  // namespace quarn::cli
