// GETDAY: the day number of a date (days from 30 December 1799) and its day of the week.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "dates/calendar.hpp"
#include "dates/datechk.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::uint32_t kYearZeroWeekday = 8;

// Days from 1 January of a date's counted year to the first of its month. January and
// February count as the last months of the year before, so that a year's leap day lies
// before a date exactly when the date's counted year is that year or a later one.
constexpr auto kDaysFromCountedYear = [] {
  auto days = dates::kDaysBeforeMonth;
  days[0] += 365;
  days[1] += 365;
  return days;
}();

// The day number of a date, or nullopt when it has none. The day is not checked: a day
// past the month's end counts on into the next month. Year 0 gets the day of the year
// (from 2). Years 1-1799 and months outside 1-12 have no number.
std::optional<std::int64_t> day_number(std::int64_t month, std::int64_t day, std::int64_t year) {
  if (month < 1 || month > 12) return {};
  const auto m = static_cast<std::size_t>(month - 1);
  if (year == 0) return 1 + dates::kDaysBeforeMonth[m] + day;
  if (year < dates::kDayOneYear) return {};
  const std::int64_t counted_year = year - (month <= 2);
  const std::int64_t y = counted_year - dates::kDayOneYear;  // -1 for January and February 1800
  // Leap days of the years from 1800 to the counted year: every fourth, but 1900.
  const std::int64_t leap_days = static_cast<std::int64_t>(static_cast<std::uint64_t>(y + 4) / 4) -
                                 (counted_year >= dates::kYearWithoutLeapDay);
  return 365 * y + leap_days + kDaysFromCountedYear[m] + day;
}

// 1 Sunday ... 7 Saturday of day `number` (1 or more, below 10^9: a four-digit year's days
// stay below 3.1 million); day 1 (1 January 1800) counts as a Tuesday. The quotient by 7 is
// its multiply (exact below 1.6 * 10^9), shorter than the one for any 64-bit number.
std::uint32_t weekday(std::int64_t number) {
  const auto n = static_cast<std::uint64_t>(number) + 1;
  const std::uint64_t weeks = n * 4908534053 >> 35;
  return static_cast<std::uint32_t>(n - 7 * weeks) + 1;
}

std::int32_t getday(QuarnDatechkRecord* passed_check, QuarnGetdayRecord* passed_day) {
  auto& check = *passed_check;
  auto& day_record = *passed_day;

  // The date is worked on in the check record's copy; the day record's stays as given. Both
  // records keep the month, day and year side by side (see datechk.hpp): one copy of eight.
  std::memcpy(check.dc_month, day_record.gy_month, 8);
  // Read from the day record: the same bytes, not read back just after they were written.
  auto [month, day, year] = dates::read_date(day_record.gy_month);
  if (check.dc_zero_month[0] == 'Y' && month == 0) {
    month = 1;
    frame::write_signed(check.dc_month, 1);
  }
  if (check.dc_zero_day[0] == 'Y' && day == 0) {
    day = 1;
    frame::write_signed(check.dc_day, 1);
  }

  // The check result is passed on as plain digits; spaces count as "00". A date is given a
  // number only when its check found nothing wrong ("00", the usual case, needs no reading).
  const std::string_view result = frame::text_of(check.dc_result);
  bool compute = false;
  if (result == "  " || result == "00") {
    frame::put_text(day_record.gy_check_result, "00");
    compute = true;
  } else if (const auto value = frame::read_signed(check.dc_result)) {
    frame::write_unsigned(day_record.gy_check_result, *value < 0 ? -*value : *value);
    compute = *value == 0;
  } else {
    std::copy_n(check.dc_result, 2, day_record.gy_check_result);
  }

  // Both fields are zeros when the date has no number; a day far enough before the 1st has
  // none either.
  std::int64_t number = 0;
  std::uint32_t day_of_week = 0;
  if (compute && month && day && year) {
    if (const auto n = day_number(*month, *day, *year); n && *n >= 1) {
      number = *n;
      day_of_week = *year == 0 ? kYearZeroWeekday : weekday(number);
    }
  }
  // Past year 4537 the number has seven digits; the field keeps the low six, as a numeric
  // move does (12/31/9999, a common "no end" date, stays above every real date).
  frame::write_unsigned(day_record.gy_day_number, number);
  frame::write_unsigned(day_record.gy_weekday, day_of_week);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETDAY), quarn::getday, 2, (check, ::quarn::frame::Prefix<QuarnDatechkRecord, 12>),
              (day, QuarnGetdayRecord));
