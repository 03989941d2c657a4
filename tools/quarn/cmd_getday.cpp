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

int run(const Parsed& line) {
  QuarnDatechkRecord check;
  std::memset(&check, ' ', sizeof check);
  put_field(check.dc_result, line.value("--check-result"));
  check.dc_zero_month[0] = line.has("--zero-month") ? 'Y' : 'N';
  check.dc_zero_day[0] = line.has("--zero-day") ? 'Y' : 'N';
  std::memcpy(check.dc_year_check, "N", 1);
  QuarnGetdayRecord day;
  std::memset(&day, ' ', sizeof day);
  if (!parse_date(line.operand(0), std::span<char, 8>(day.gy_month, 8)))
    return usage_error("getday", quoted(line.operand(0)) + " is not MM/DD/YYYY");
  QUARN_GETDAY(&check, &day);
  std::printf("day number:   %s\n", printable(day.gy_day_number).c_str());
  std::printf("weekday:      %s (%s)\n", printable(day.gy_weekday).c_str(),
              weekday_name(day.gy_weekday));
  std::printf("check result: %s\n", printable(day.gy_check_result).c_str());
  std::printf("check:        %s\n", describe_check(check).c_str());
  return std::string_view(day.gy_weekday, 2) == "00" ? kFailure : kOk;
}

const Registration registration(
    {.name = "getday",
     .summary = "the day number and day of the week of a date (GETDAY)",
     .synopsis = "MM/DD/YYYY [--check-result XX] [--zero-month] [--zero-day]",
     .description =
         "Prints the day number GETDAY gives the date (days from 30 December 1799: 1 January\n"
         "1801 is 367), the day of the week (01 Sunday ... 07 Saturday, 08 for year 0, 00 when\n"
         "nothing was computed), the check result passed on, and the check record after the\n"
         "call (it receives a copy of the date). The date is not checked: run quarn datechk\n"
         "first. A month outside 1-12, a year from 1 to 1799 or a check result other than 00\n"
         "gives 000000 and day 00, nothing computed, which exits with 1.\n"
         "\n"
         "example: quarn getday 01/01/2020\n",
     .options = {{.name = "--check-result",
                  .value = "XX",
                  .help = "the check record's result going in (00 computes)",
                  .fallback = "00",
                  .check = characters<1, 2>},
                 {.name = "--zero-month", .help = "a month of 0 counts as January"},
                 {.name = "--zero-day", .help = "a day of 0 counts as the 1st"}},
     .operands = {1, 1},
     .expects = "one date",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
