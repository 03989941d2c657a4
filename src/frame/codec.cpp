#include "frame/codec.hpp"

#include <algorithm>
#include <cstring>

#include "frame/host.hpp"

namespace quarn::frame {

void clear(Field field) {
  std::fill(field.begin(), field.end(), ' ');
}

void put_text(Field field, std::string_view text) {
  const std::size_t n = std::min(field.size(), text.size());
  std::copy_n(text.data(), n, field.data());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
}

std::string_view trimmed(ConstField field) {
  std::size_t n = field.size();
  // Wide fields are mostly padding: eight bytes at a time, looked at in fours (one test a
  // block), before the last bytes one by one.
  constexpr std::uint64_t kEightSpaces = 0x2020202020202020;
  const auto not_spaces = [&](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, field.data() + at, 8);
    return word ^ kEightSpaces;
  };
  constexpr std::size_t kBlock = 32;
  while (n >= kBlock) {
    std::uint64_t differs = 0;
    for (std::size_t at = n - kBlock; at < n; at += 8)
      differs |= not_spaces(at);
    if (differs != 0) break;
    n -= kBlock;
  }
  while (n >= 8 && not_spaces(n - 8) == 0)
    n -= 8;
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field.data(), n};
}

std::size_t first_space(ConstField field) {
  const auto it = std::find(field.begin(), field.end(), ' ');
  return static_cast<std::size_t>(it - field.begin());
}

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Accumulates the digits of field[0, count); false when one is not a digit.
bool read_digits(ConstField field, std::size_t count, std::int64_t& value) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!is_digit(field[i])) return false;
    value = value * 10 + (field[i] - '0');
  }
  return true;
}

// Writes the decimal digits of `magnitude` right-justified into the field; false when
// digits were left over.
bool write_digits(Field field, std::uint64_t magnitude) {
  for (std::size_t i = field.size(); i > 0; --i) {
    field[i - 1] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  return magnitude == 0;
}

bool usable_width(std::size_t width) {
  return width >= 1 && width <= kMaxDisplayDigits;
}

}  // namespace

std::optional<std::int64_t> read_unsigned(ConstField field) {
  std::int64_t value = 0;
  if (!usable_width(field.size()) || !read_digits(field, field.size(), value)) return {};
  return value;
}

namespace {
// The magnitude of INT64_MIN does not fit an int64_t; unsigned arithmetic holds it.
std::uint64_t magnitude_of(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                   : static_cast<std::uint64_t>(value);
}
}  // namespace

bool write_unsigned(Field field, std::int64_t value) {
  // As a numeric move into an unsigned field, a negative value leaves its magnitude.
  return write_digits(field, magnitude_of(value)) && value >= 0;
}

std::optional<std::int64_t> read_signed(ConstField field) {
  if (!usable_width(field.size())) return {};
  std::int64_t value = 0;
  if (!read_digits(field, field.size() - 1, value)) return {};
  const auto last = static_cast<unsigned char>(field.back());
  const unsigned zone = last >> 4;
  const unsigned digit = last & 0x0F;
  if (digit > 9) return {};
  value = value * 10 + digit;
  switch (zone) {
    case 0x3:
    case 0x4:
      return value;
    case 0x5:
    case 0x7:
      return -value;
    default:
      return {};
  }
}

bool write_signed(Field field, std::int64_t value, SignConvention convention) {
  if (field.empty()) return value == 0;
  const bool negative = value < 0;
  const bool fits = write_digits(field, magnitude_of(value));
  const unsigned digit = static_cast<unsigned>(field.back() - '0');
  unsigned zone;
  if (convention == SignConvention::kRecord) {
    zone = negative ? 0x50 : 0x40;
  } else {
    zone = negative ? 0x70 : 0x30;
  }
  field.back() = static_cast<char>(zone | digit);
  return fits;
}

bool write_signed(Field field, std::int64_t value) {
  return write_signed(field, value, sign_convention());
}

namespace {
std::uint8_t byte(const char* at, int i) {
  return static_cast<std::uint8_t>(at[i]);
}
}  // namespace

std::int16_t read_le16(const char* at) {
  return static_cast<std::int16_t>(byte(at, 0) | byte(at, 1) << 8);
}
std::int32_t read_le32(const char* at) {
  return static_cast<std::int32_t>(std::uint32_t{byte(at, 0)} | std::uint32_t{byte(at, 1)} << 8 |
                                   std::uint32_t{byte(at, 2)} << 16 |
                                   std::uint32_t{byte(at, 3)} << 24);
}
std::int16_t read_be16(const char* at) {
  return static_cast<std::int16_t>(byte(at, 0) << 8 | byte(at, 1));
}
std::int32_t read_be32(const char* at) {
  return static_cast<std::int32_t>(std::uint32_t{byte(at, 0)} << 24 |
                                   std::uint32_t{byte(at, 1)} << 16 |
                                   std::uint32_t{byte(at, 2)} << 8 | std::uint32_t{byte(at, 3)});
}

namespace {
void put_bytes(char* at, std::uint32_t value, int count, bool big_endian) {
  for (int i = 0; i < count; ++i) {
    const int shift = 8 * (big_endian ? count - 1 - i : i);
    at[i] = static_cast<char>((value >> shift) & 0xFF);
  }
}
}  // namespace

void write_le16(char* at, std::int16_t value) {
  put_bytes(at, static_cast<std::uint16_t>(value), 2, false);
}
void write_le32(char* at, std::int32_t value) {
  put_bytes(at, static_cast<std::uint32_t>(value), 4, false);
}
void write_be16(char* at, std::int16_t value) {
  put_bytes(at, static_cast<std::uint16_t>(value), 2, true);
}
void write_be32(char* at, std::int32_t value) {
  put_bytes(at, static_cast<std::uint32_t>(value), 4, true);
}

}  // namespace quarn::frame
