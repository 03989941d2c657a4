// DATECHK as the other date programs call it: directly, by address, through its frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "frame/codec.hpp"
#include "quarn/quarn-m.h"

namespace quarn::dates {

std::int32_t call_datechk(QuarnDatechkRecord& record);

// A date kept as three signed display fields side by side, MMDDYYYY, as the check record
// and GETDAY's record keep it: its month, day and year, each nullopt when its field holds no
// number. When all eight bytes are plain digits, the usual case, they are read as one word
// whose pairs of digits are the month, the day and the year's two halves; a sign in a
// field's last byte, or a byte that is no digit, has each field read on its own.
struct FieldDate {
  std::optional<std::int64_t> month;
  std::optional<std::int64_t> day;
  std::optional<std::int64_t> year;
};
inline FieldDate read_date(const char* fields) {
  const auto word = frame::digits::load<std::uint64_t>(fields, 8);
  if (frame::digits::all_digits(word)) [[likely]] {
    const std::uint64_t pairs = frame::digits::pair_values(word);
    const auto pair = [pairs](int n) { return static_cast<std::int64_t>(pairs >> 16 * n & 0xFF); };
    return {pair(0), pair(1), pair(2) * 100 + pair(3)};
  }
  return {frame::read_signed(frame::ConstField(fields, 2)),
          frame::read_signed(frame::ConstField(fields + 2, 2)),
          frame::read_signed(frame::ConstField(fields + 4, 4))};
}
static_assert(offsetof(QuarnDatechkRecord, dc_day) == offsetof(QuarnDatechkRecord, dc_month) + 2 &&
              offsetof(QuarnDatechkRecord, dc_year) == offsetof(QuarnDatechkRecord, dc_day) + 2);
static_assert(offsetof(QuarnGetdayRecord, gy_day) == offsetof(QuarnGetdayRecord, gy_month) + 2 &&
              offsetof(QuarnGetdayRecord, gy_year) == offsetof(QuarnGetdayRecord, gy_day) + 2);

}  // namespace quarn::dates
