// The suite's calendar: month lengths, days before each month and its leap rule. A year is
// a leap year when it is divisible by 4, except 1900: 1800 and 2100 count as leap years,
// which matters only outside the accepted range 1801-2099.
#pragma once

#include <array>
#include <cstdint>

namespace quarn::dates {

inline constexpr std::int64_t kFirstYear = 1801;
inline constexpr std::int64_t kLastYear = 2099;

// Days in each month of a common year, January first.
inline constexpr std::array<std::int64_t, 12> kMonthLengths{31, 28, 31, 30, 31, 30,
                                                            31, 31, 30, 31, 30, 31};
// Days of a common year before the first of each month, January first.
inline constexpr std::array<std::int64_t, 12> kDaysBeforeMonth{0,   31,  59,  90,  120, 151,
                                                               181, 212, 243, 273, 304, 334};

// Day numbers (GETDAY, GETDATE) count from 1 January of this year, day 1.
inline constexpr std::int64_t kDayOneYear = 1800;
// The one year divisible by 4 that has no 29 February.
inline constexpr std::int64_t kYearWithoutLeapDay = 1900;

constexpr bool is_leap_year(std::int64_t year) {
  return year % 4 == 0 && year != kYearWithoutLeapDay;
}

// The length of month 1-12 of `year`.
constexpr std::int64_t month_length(std::int64_t month, std::int64_t year) {
  return month == 2 && is_leap_year(year) ? 29 : kMonthLengths[static_cast<std::size_t>(month - 1)];
}

}  // namespace quarn::dates
