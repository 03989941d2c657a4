// DATEDIT: a date as a person typed it, split into month, day and year, completed, checked
// with DATECHK and rewritten as MM/DD/YYYY.
#include <algorithm>
#include <cstdint>

#include "dates/calendar.hpp"
#include "dates/datechk.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::int64_t kAccumulatorLimit = 100'000'000;  // the accumulator keeps 8 digits
constexpr std::int64_t kLastDayMarker = 99;
constexpr std::int64_t kDefaultPivot = 50;

// Puts the switches of the edit back to their defaults.
void reset_options(QuarnDateditRecord& record) {
  frame::write_unsigned(record.de_pivot, kDefaultPivot);
  record.de_month_year[0] = 'N';
}

// The month, day and year as " M/DD/YYYY": the month's leading zero shows as a space.
void rewrite_text(QuarnDateditRecord& record, std::int64_t month, std::int64_t day,
                  std::int64_t year) {
  frame::Field text(record.de_date_text);
  frame::write_unsigned(text.subspan(0, 2), month);
  if (text[0] == '0') text[0] = ' ';
  text[2] = '/';
  frame::write_unsigned(text.subspan(3, 2), day);
  text[5] = '/';
  frame::write_unsigned(text.subspan(6, 4), year);
}

std::int32_t datedit(QuarnDateditRecord* passed) {
  auto& record = *passed;
  QuarnDatechkRecord& check = record.de_check;
  frame::Field text(record.de_date_text);

  std::replace(text.begin(), text.end(), '-', '/');
  std::replace(text.begin(), text.end(), '.', '/');

  // The parts: 1 month, 2 day, 3 year; each "/" moves to the next.
  std::int64_t accumulator = 0;
  int year_digits = 0;
  int part = 1;
  std::int64_t month = 0;
  std::int64_t day = 0;
  const bool month_and_year = record.de_month_year[0] == 'Y';
  record.de_last_day[0] = 'N';
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      accumulator = (accumulator * 10 + (c - '0')) % kAccumulatorLimit;
      if (part == 3) ++year_digits;
    } else if (c == '/') {
      if (part == 1) {
        month = accumulator % 100;
        frame::write_signed(check.dc_month, month);
        if (month_and_year) {
          day = 0;
          frame::write_signed(check.dc_day, day);
          check.dc_zero_day[0] = 'Y';
          ++part;
        }
      } else if (part == 2) {
        day = accumulator % 100;
        frame::write_signed(check.dc_day, day);
      }
      accumulator = 0;
      ++part;
    }
  }
  std::int64_t year = accumulator % 10'000;
  frame::write_signed(check.dc_year, year);
  frame::write_unsigned(record.de_result, part);

  if (year_digits != 2 && year_digits != 4) {
    frame::put_text(record.de_result, "04");
    return 0;
  }

  if (year_digits == 2) {
    // A pivot that is not a number counts as 0: every two-digit year is then in the 1900s.
    const std::int64_t pivot = frame::read_signed(record.de_pivot).value_or(0);
    year += year < pivot ? 2000 : 1900;
    frame::write_signed(check.dc_year, year);
  }

  if (part != 3) {
    // Too many separators: no date; the result keeps the number of parts.
    frame::put_text(check.dc_month, "00");
    frame::put_text(check.dc_day, "00");
    frame::put_text(check.dc_year, "0000");
    reset_options(record);
    return 0;
  }

  const bool last_day = day == kLastDayMarker;
  if (last_day) {
    record.de_last_day[0] = 'Y';
    day = 1;
    frame::write_signed(check.dc_day, day);
  }

  dates::call_datechk(check);
  std::copy_n(check.dc_result, 2, record.de_result);

  if (last_day) {
    if (frame::text_of(check.dc_result) == "00") {
      // An accepted month 0 stands for any month and gets the longest, as DATECHK allows.
      day = month >= 1 && month <= 12 ? dates::month_length(month, year) : 31;
    } else {
      day = 0;
    }
    frame::write_signed(check.dc_day, day);
  }

  rewrite_text(record, month, day, year);
  reset_options(record);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((DATEDIT), quarn::datedit, 1, (record, QuarnDateditRecord));
