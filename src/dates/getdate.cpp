// GETDATE: the date of a day number (1 is 1 January 1800, 367 is 1 January 1801).
#include <cstdint>

#include "dates/calendar.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::int64_t kFirstNumber = 1;
constexpr std::int64_t kLastNumber = 109574;  // 31 December 2099
constexpr std::int64_t kMarchFirst1800 = 61;
// Day number of 1 March 1900: the count has no 29 February 1900.
constexpr std::int64_t kMarchFirst1900 = 36585;
// Days in four years of which one is a leap year.
constexpr std::uint32_t kDaysInFourYears = 4 * 365 + 1;

struct Date {
  std::int64_t month;
  std::int64_t day;
  std::int64_t year;
};

// The date of any day number; before 1 the count runs back in the same calendar (0 is
// 31 December 1799). Years are counted from 1 March, so that the leap day ends a year and
// every fourth one (from March 1803) has it. Numbers arrive in no particular order: the
// arithmetic has no branches and runs on unsigned 32 bits, with the days moved forward by
// whole four-year cycles so that no display number of six digits goes below 0.
Date date_of(std::int64_t number) {
  constexpr std::int64_t kCyclesBack = 700;  // 700 * 1461 days exceed 999999
  // Days from 1 March 1800 as if 1900 had a 29 February: the count skips the day it lacks.
  const auto days = static_cast<std::uint32_t>(
      number - kMarchFirst1800 + (number >= kMarchFirst1900) + kCyclesBack * kDaysInFourYears);
  // In quarter days, a year is 365.25 days exactly: the whole years and the day of the year
  // (0 is 1 March) are one division.
  const std::uint32_t quarters = 4 * days + 3;
  const std::uint32_t years = quarters / kDaysInFourYears;
  const std::uint32_t day_of_year = quarters % kDaysInFourYears / 4;
  // From March the months run 31 30 31 30 31, 31 30 31 30 31, 31 29: a day of the year
  // scaled by 2141/65536 (about 1/30.6) and shifted has its month (3 March ... 14 February)
  // in the high half and its day, times 2141, in the low half.
  const std::uint32_t scaled = 2141 * day_of_year + 197913;
  const std::uint32_t month_from_march = scaled >> 16;
  const std::uint32_t day = (scaled & 0xFFFF) / 2141 + 1;
  const bool next_year = month_from_march > 12;  // January and February
  const std::uint32_t month = next_year ? month_from_march - 12 : month_from_march;
  const std::int64_t year = dates::kDayOneYear - 4 * kCyclesBack + std::int64_t{years} + next_year;
  return {month, day, year};
}

void clear_date(QuarnGetdateRecord& record) {
  frame::put_text(record.gd_month, "00");
  frame::put_text(record.gd_day, "00");
  frame::put_text(record.gd_year, "0000");
}

std::int32_t getdate(QuarnGetdateRecord* passed) {
  auto& record = *passed;
  const auto number = frame::read_signed(record.gd_day_number);
  if (!number) {
    frame::put_text(record.gd_result, "99");
    clear_date(record);
    return 0;
  }
  const bool in_range = *number >= kFirstNumber && *number <= kLastNumber;
  frame::put_text(record.gd_result, in_range ? "00" : "99");
  const Date date = date_of(*number);
  if (date.year < 0) {
    // Before year 0 (below -657449) there is no year to write.
    clear_date(record);
    return 0;
  }
  frame::write_unsigned(record.gd_month, date.month);
  frame::write_unsigned(record.gd_day, date.day);
  frame::write_unsigned(record.gd_year, date.year);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETDATE), quarn::getdate, 1, (record, QuarnGetdateRecord));
