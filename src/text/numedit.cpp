// NUMEDIT: a number typed as free text into a signed display number with 13 integer and 5
// decimal digits.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr int kIntegerPlaces = 13;
constexpr int kDecimalPlaces = 5;
constexpr std::int64_t kDecimalScale = 100000;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::int32_t numedit(QuarnNumeditRecord* passed) {
  auto& record = *passed;
  const std::string_view text(record.ne_text, sizeof record.ne_text);
  const std::size_t point = std::min(text.find('.'), text.size());

  // Digits after the first point fill the decimal places from the left; digits before it
  // fill the integer places from the units up. Anything else is skipped, and digits beyond
  // the places are dropped.
  std::int64_t decimals = 0;
  int decimal_count = 0;
  for (std::size_t i = point + 1; i < text.size() && decimal_count < kDecimalPlaces; ++i) {
    if (!is_digit(text[i])) continue;
    decimals = decimals * 10 + (text[i] - '0');
    ++decimal_count;
  }
  for (; decimal_count < kDecimalPlaces; ++decimal_count)
    decimals *= 10;
  std::int64_t integer = 0;
  std::int64_t place = 1;
  int integer_count = 0;
  for (std::size_t i = point; i > 0 && integer_count < kIntegerPlaces; --i) {
    if (!is_digit(text[i - 1])) continue;
    integer += (text[i - 1] - '0') * place;
    place *= 10;
    ++integer_count;
  }

  std::int64_t value = integer * kDecimalScale + decimals;
  // A minus sign anywhere makes the number negative; brackets do not.
  if (text.find('-') != std::string_view::npos) value = 0 - value;
  frame::write_signed(record.ne_number, value);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((NUMEDIT), quarn::numedit, 1, (record, QuarnNumeditRecord));
