// GETDATE: the date of a day number (1 is 1 January 1800, 367 is 1 January 1801).
#include <cstdint>

#include "frame/calendar.hpp"
#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::int64_t kFirstNumber = 1;
constexpr std::int64_t kLastNumber = 109574;  // 31 December 2099
constexpr std::int64_t kBaseYear = 1800;
// Day number of 1 March 1900: the count has no 29 February 1900.
constexpr std::int64_t kMarchFirst1900 = 36585;
// Days in four years when each fourth one (the first, from 1800) is a leap year.
constexpr std::int64_t kDaysInFourYears = 4 * 365 + 1;

struct Date {
  std::int64_t month;
  std::int64_t day;
  std::int64_t year;
};

// The first day of month 1-12 counted from 0 at 1 January.
constexpr std::int64_t month_start(std::int64_t month, bool leap) {
  return frame::kDaysBeforeMonth[static_cast<std::size_t>(month - 1)] + (leap && month > 2);
}

// The date of any day number; before 1 the count runs back in the same calendar (0 is
// 31 December 1799).
Date date_of(std::int64_t number) {
  // Days from 1 January 1800 in a calendar where every fourth year is a leap year; 1900 is
  // not, so from 1 March 1900 on the count skips the day it lacks.
  std::int64_t days = number - 1;
  if (number >= kMarchFirst1900) ++days;
  std::int64_t cycles = days / kDaysInFourYears;
  std::int64_t rest = days % kDaysInFourYears;
  if (rest < 0) {
    --cycles;
    rest += kDaysInFourYears;
  }
  // Within four years the first has 366 days.
  std::int64_t year_in_cycle = 0;
  std::int64_t day_of_year = rest;
  if (rest >= 366) {
    year_in_cycle = 1 + (rest - 366) / 365;
    day_of_year = (rest - 366) % 365;
  }
  const std::int64_t year = kBaseYear + 4 * cycles + year_in_cycle;
  const bool leap = year_in_cycle == 0;
  // No month starts later than 32 days a month would put it, and none starts more than a
  // month earlier: the estimate is the month or the one before it.
  std::int64_t month = day_of_year / 32 + 1;
  while (month < 12 && month_start(month + 1, leap) <= day_of_year)
    ++month;
  return {month, day_of_year - month_start(month, leap) + 1, year};
}

void clear_date(QuarnGetdateRecord& record) {
  frame::put_text(record.gd_month, "00");
  frame::put_text(record.gd_day, "00");
  frame::put_text(record.gd_year, "0000");
}

std::int32_t getdate(void* const* params) {
  auto& record = *static_cast<QuarnGetdateRecord*>(params[0]);
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

frame::Program program({"GETDATE", 1, 1, {sizeof(QuarnGetdateRecord)}, &getdate});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_GETDATE(QuarnGetdateRecord* record) {
  return quarn::program.enter_exported({record});
}
QUARN_EXPORT_AS(QUARN_GETDATE, "GETDATE", quarn_getdate_cobol);
