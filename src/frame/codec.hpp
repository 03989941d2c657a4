// Field codecs: the encodings of the parameter records and of the programs' own storage.
// Every program reads and writes its fields through these; none re-implements them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

namespace quarn::frame {

using Field = std::span<char>;
using ConstField = std::span<const char>;

// ---- text: fixed width, left-justified, space-padded, no terminator ----

// The text codecs are inlined wherever they are called (the compiler is not left to weigh
// it): a record's fields have widths known there, so that clearing or filling a narrow field
// comes down to a few stores. Clearing and filling also work at compile time, for tables
// kept at the widths of the fields they go to.

// Fills the field with spaces (a cleared text field is never zero bytes).
[[gnu::always_inline]] constexpr void clear(Field field) {
  std::fill(field.begin(), field.end(), ' ');
}
// Copies `text` into the field, padding with spaces or cutting what does not fit.
[[gnu::always_inline]] constexpr void put_text(Field field, std::string_view text) {
  const std::size_t n = std::min(field.size(), text.size());
  std::copy_n(text.data(), n, field.data());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
}
// The field's whole contents.
constexpr std::string_view text_of(ConstField field) {
  return {field.data(), field.size()};
}
// The field without its trailing spaces.
[[gnu::always_inline]] inline std::string_view trimmed(ConstField field) {
  std::size_t n = field.size();
  // Eight spaces at a time first: wide fields are mostly padding.
  constexpr std::uint64_t kEightSpaces = 0x2020202020202020;
  for (std::uint64_t word; n >= 8; n -= 8) {
    std::memcpy(&word, field.data() + n - 8, 8);
    if (word != kEightSpaces) break;
  }
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field.data(), n};
}
// The field up to its first zero byte (a field a caller filled from C, or never filled),
// without trailing spaces.
inline std::string_view zero_ended(ConstField field) {
  const std::string_view text = text_of(field);
  const std::string_view before = text.substr(0, text.find('\0'));
  return trimmed(ConstField(before.data(), before.size()));
}
// True when the field holds nothing but spaces (or is empty).
inline bool is_blank(ConstField field) {
  return trimmed(field).empty();
}
// Index of the first space in the field, or the field's width when it has none.
[[gnu::always_inline]] inline std::size_t first_space(ConstField field) {
  return static_cast<std::size_t>(std::ranges::find(field, ' ') - field.begin());
}

// ---- display numbers: one ASCII digit a byte, right-justified, leading zeros ----

// The widest display field the codecs handle: 18 digits always fit an int64_t.
inline constexpr std::size_t kMaxDisplayDigits = 18;

// How the sign of a signed display number is written into its last byte.
enum class SignConvention {
  kRecord,    // 0x40 + digit for +, 0x50 + digit for -
  kGnuCobol,  // plain digit for +, 0x70 + digit for -
};

// The value of an unsigned display field, or nullopt unless every byte is a digit and the
// width is 1 to 18.
std::optional<std::int64_t> read_unsigned(ConstField field);
// Writes `value` right-justified with leading zeros. As a numeric move does, a field too
// narrow keeps the low-order digits and a negative value leaves its magnitude; either way
// the result is false.
bool write_unsigned(Field field, std::int64_t value);

// The value of a signed display field: every byte but the last a digit; the last byte's
// high half 0x3 or 0x4 means +, 0x5 or 0x7 means -, its low half the digit. nullopt when the
// field does not follow these rules or is wider than 18.
std::optional<std::int64_t> read_signed(ConstField field);
// Writes `value` with its sign in the last byte, in the given convention or, without one,
// in the convention in force for the process (see host.hpp). False as for write_unsigned.
bool write_signed(Field field, std::int64_t value, SignConvention convention);
bool write_signed(Field field, std::int64_t value);

// ---- binary: two's complement, 2 or 4 bytes ----

std::int16_t read_le16(const char* at);
std::int32_t read_le32(const char* at);
std::int16_t read_be16(const char* at);
std::int32_t read_be32(const char* at);
void write_le16(char* at, std::int16_t value);
void write_le32(char* at, std::int32_t value);
void write_be16(char* at, std::int16_t value);
void write_be32(char* at, std::int32_t value);

}  // namespace quarn::frame
