// GETDATE: the date of a day number (1 is 1 January 1800, 367 is 1 January 1801).
#include <cstdint>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::int64_t kFirstNumber = 1;
constexpr std::int64_t kLastNumber = 109574;  // 31 December 2099
constexpr std::int64_t kBaseYear = 1800;
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
  const std::uint32_t cycle = days / kDaysInFourYears;
  const std::uint32_t day_of_cycle = days - cycle * kDaysInFourYears;  // 0-1460
  // The cycle's last day (its 29 February) belongs to its fourth year.
  const std::uint32_t year_of_cycle = (day_of_cycle - day_of_cycle / (kDaysInFourYears - 1)) / 365;
  const std::uint32_t day_of_year = day_of_cycle - 365 * year_of_cycle;  // 0 is 1 March
  // From March the months run 31 30 31 30 31, 31 30 31 30 31, 31 29: five take 153 days.
  const std::uint32_t month_from_march = (5 * day_of_year + 2) / 153;
  const std::uint32_t day = day_of_year - (153 * month_from_march + 2) / 5 + 1;
  const std::uint32_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  const std::int64_t year =
      kBaseYear + 4 * (std::int64_t{cycle} - kCyclesBack) + year_of_cycle + (month <= 2);
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
