// Field codecs: the encodings of the parameter records and of the programs' own storage.
// Every program reads and writes its fields through these; none re-implements them.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
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

// Fills the field with spaces (a cleared text field is never zero bytes).
[[gnu::always_inline]] constexpr void clear(Field field) {
  std::fill_n(field.data(), field.size(), ' ');
}
// Copies `text` into the field, padding with spaces or cutting what does not fit. Inline:
// most fields and texts have sizes known where they are used, and become a few stores.
// Clearing and putting work at compile time too, for tables kept at their fields' widths.
[[gnu::always_inline]] constexpr void put_text(Field field, std::string_view text) {
  const std::size_t n = text.size() < field.size() ? text.size() : field.size();
  std::copy_n(text.data(), n, field.data());
  std::fill_n(field.data() + n, field.size() - n, ' ');
}
// The field's whole contents.
constexpr std::string_view text_of(ConstField field) {
  return {field.data(), field.size()};
}
// The field without its trailing spaces.
std::string_view trimmed(ConstField field);
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
// Index of the first space in the field, or the field's width when it has none. Inline: the
// fields are short, and a search of a few bytes is no call into the C library.
inline std::size_t first_space(ConstField field) {
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

// The display codec works on the digits of a field as one word: four digits in 32 bits for
// fields of up to four, eight at a time in 64 bits for wider ones, the field's first byte in
// the word's lowest byte, so that no digit takes a branch of its own. The routines are
// always inlined: a record's fields have widths known where they are called, so the width
// tests fold away and each load and store is one move.
namespace digits {

static_assert(std::endian::native == std::endian::little,
              "the display codec loads digits as little-endian words");

template <class Word>
inline constexpr Word kEachByte = ~Word{0} / 0xFF;  // 0x01 in every byte
template <class Word>
inline constexpr Word kZeros = kEachByte<Word> * '0';

// The n (1-8) bytes at `at` in the low bytes of a word, the first in the lowest. Two loads
// that overlap in the middle make any width: no byte is copied through memory (which would
// stall the load that reads it back).
[[gnu::always_inline]] inline std::uint64_t load_bytes(const char* at, std::size_t n) {
  if (n == 8) {
    std::uint64_t all;
    std::memcpy(&all, at, 8);
    return all;
  }
  if (n >= 4) {
    std::uint32_t first, last;
    std::memcpy(&first, at, 4);
    std::memcpy(&last, at + n - 4, 4);
    return first | std::uint64_t{last} << (8 * (n - 4));
  }
  if (n >= 2) {
    std::uint16_t first, last;
    std::memcpy(&first, at, 2);
    std::memcpy(&last, at + n - 2, 2);
    return first | std::uint64_t{last} << (8 * (n - 2));
  }
  return static_cast<unsigned char>(*at);
}

// The low n (1-8) bytes of `bytes` stored at `at`, in the same two overlapping halves.
[[gnu::always_inline]] inline void store_bytes(char* at, std::uint64_t bytes, std::size_t n) {
  if (n == 8) {
    std::memcpy(at, &bytes, 8);
  } else if (n >= 4) {
    const auto first = static_cast<std::uint32_t>(bytes);
    const auto last = static_cast<std::uint32_t>(bytes >> (8 * (n - 4)));
    std::memcpy(at, &first, 4);
    std::memcpy(at + n - 4, &last, 4);
  } else if (n >= 2) {
    const auto first = static_cast<std::uint16_t>(bytes);
    const auto last = static_cast<std::uint16_t>(bytes >> (8 * (n - 2)));
    std::memcpy(at, &first, 2);
    std::memcpy(at + n - 2, &last, 2);
  } else {
    *at = static_cast<char>(bytes);
  }
}

// The n (1 to the word's size) bytes at `at` as the word's last n bytes, after zero digits.
template <class Word>
[[gnu::always_inline]] inline Word load(const char* at, std::size_t n) {
  constexpr std::size_t kSize = sizeof(Word);
  const auto bytes = static_cast<Word>(load_bytes(at, n));
  return n == kSize ? bytes
                    : static_cast<Word>(bytes << (8 * (kSize - n)) | kZeros<Word> >> (8 * n));
}

// The last n (1 to the word's size) bytes of the word, stored at `at`.
template <class Word>
[[gnu::always_inline]] inline void store(char* at, Word word, std::size_t n) {
  store_bytes(at, word >> (8 * (sizeof(Word) - n)), n);
}

// True when every byte is '0'-'9'. A byte below '0' or from 0xB0 up gets its high bit set
// when '0' is taken off; one from ':' to 0xAF when 0x46 is added ('9' + 0x46 is 0x7F). A
// borrow or carry across bytes comes only out of a byte that is not a digit, and the lowest
// such byte is flagged exactly: nothing crosses into it from the digits below.
template <class Word>
[[gnu::always_inline]] inline bool all_digits(Word word) {
  constexpr Word kHigh = kEachByte<Word> * 0x80;
  return (((word - kZeros<Word>) | (word + kEachByte<Word> * 0x46)) & kHigh) == 0;
}

// The value of four digit bytes: two pairs, then the four.
[[gnu::always_inline]] inline std::uint32_t value_of(std::uint32_t word) {
  word -= kZeros<std::uint32_t>;
  word = word * 10 + (word >> 8);  // bytes 0 and 2: two digits each
  return (word & 0xFF) * 100 + (word >> 16 & 0xFF);
}

// The values of the four pairs of eight digit bytes, each in its pair's first byte (the
// even bytes; the odd ones hold what is left over).
[[gnu::always_inline]] inline std::uint64_t pair_values(std::uint64_t word) {
  word -= kZeros<std::uint64_t>;
  return word * 10 + (word >> 8);
}

// The value of eight digit bytes: pairs, then fours, then the eight, each step one multiply.
[[gnu::always_inline]] inline std::uint32_t value_of(std::uint64_t word) {
  word = pair_values(word);
  word = ((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
          ((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
         32;
  return static_cast<std::uint32_t>(word);
}

// "00" to "99", two bytes each, the tens in the lower byte.
inline constexpr auto kPairs = [] {
  std::array<std::uint16_t, 100> pairs{};
  for (unsigned i = 0; i < pairs.size(); ++i)
    pairs[i] = static_cast<std::uint16_t>(('0' + i / 10) | ('0' + i % 10) << 8);
  return pairs;
}();

// The digit bytes of four 16-bit lanes, each lane a number 0-99: its tens in the lane's
// first byte, its units in the second. n / 10 is n * 103 >> 10 for every n below 179, and no
// lane's product reaches the next lane.
[[gnu::always_inline]] inline std::uint64_t pair_digits(std::uint64_t lanes) {
  const std::uint64_t tens = (lanes * 103 >> 10) & 0x000F'000F'000F'000F;
  return (tens | (lanes - tens * 10) << 8) + kZeros<std::uint64_t>;
}

// The digit bytes of the low four digits of `magnitude` (a word of four: two pairs from the
// table) or of its low eight (a word of eight), the first digit in the lowest byte. Eight
// take no table and no branch: the number is split into halves of four digits, the halves
// into pairs, the pairs into digits, each step one multiply for all the pieces at once. In
// halves of 32 bits n / 100 is n * 10486 >> 20 for every n below 10000, and the mask drops
// what the upper half's product shifts into the lower.
template <class Word>
[[gnu::always_inline]] inline Word word_of(std::uint64_t magnitude) {
  if constexpr (sizeof(Word) == 4) {
    const auto four = static_cast<std::uint32_t>(magnitude % 10000);
    return kPairs[four / 100] | std::uint32_t{kPairs[four % 100]} << 16;
  } else {
    const auto eight = static_cast<std::uint32_t>(magnitude % 100000000);
    // eight / 10000, written as the multiply it is (n * 109951163 >> 40 for every n below
    // 10^8): where a compiler takes a path for a rare one, it would divide instead.
    const std::uint64_t high = eight * std::uint64_t{109951163} >> 40;
    const std::uint64_t halves = high | (eight - high * 10000) << 32;
    const std::uint64_t hundreds = (halves * 10486 >> 20) & 0x0000007F'0000007F;
    return pair_digits(hundreds | (halves - hundreds * 100) << 16);
  }
}

// 10 to the power of 0 to 19.
inline constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{1};
  for (std::size_t i = 1; i < powers.size(); ++i)
    powers[i] = powers[i - 1] * 10;
  return powers;
}();

// The value of the digits of [at, at + n), n 1-18; false when one is not a digit. With
// `signed_last` the high half of the last byte is a sign, so only its low half must be a
// digit: the sign's half is made a digit's before the test.
[[gnu::always_inline]] inline bool read(const char* at, std::size_t n, std::uint64_t& value,
                                        bool signed_last) {
  if (n <= 4) {
    std::uint32_t word = load<std::uint32_t>(at, n);
    if (signed_last) word = (word & 0x0FFFFFFF) | 0x30000000;
    value = value_of(word);
    return all_digits(word);
  }
  // The first chunk holds what is left over eight: 1-8 bytes.
  value = 0;
  std::size_t chunk = (n - 1) % 8 + 1;
  for (; n > 0; at += chunk, n -= chunk, chunk = 8) {
    std::uint64_t word = load<std::uint64_t>(at, chunk);
    if (signed_last && n == chunk) word = (word & 0x0FFFFFFFFFFFFFFF) | 0x3000000000000000;
    if (!all_digits(word)) return false;
    value = value * 100000000 + value_of(word);
  }
  return true;
}

// Writes the low n digits of `magnitude` (n 0-20) right-justified at `at`; false when
// digits were left over.
[[gnu::always_inline]] inline bool write(char* at, std::size_t n, std::uint64_t magnitude) {
  // A number too wide keeps its low n digits, cut here on the unusual path: the usual one
  // then holds a number known to have n digits at most, and its steps divide it no further.
  bool fits = true;
  if (n < 20 && magnitude >= kPowersOfTen[n]) [[unlikely]] {
    magnitude %= kPowersOfTen[n];
    fits = false;
  }
  if (n == 0) return fits;
  // A field of up to two is a pair from the table, one of up to four the last n bytes of a
  // word of four (a constant divisor is a multiply, a power of ten chosen by n is not).
  if (n <= 2) {
    store_bytes(at, kPairs[magnitude % 100] >> (8 * (2 - n)), n);
    return fits;
  }
  if (n <= 4) {
    store(at, word_of<std::uint32_t>(magnitude), n);
    return fits;
  }
  // From the right, eight digits at a time; the leftmost chunk holds 1-8, the last bytes of
  // a word of eight.
  for (; n > 8; n -= 8, magnitude /= 100000000)
    store(at + n - 8, word_of<std::uint64_t>(magnitude), 8);
  store(at, word_of<std::uint64_t>(magnitude), n);
  return fits;
}

// The magnitude of INT64_MIN does not fit an int64_t; unsigned arithmetic holds it.
[[gnu::always_inline]] inline std::uint64_t magnitude_of(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                   : static_cast<std::uint64_t>(value);
}

}  // namespace digits

// The value of an unsigned display field, or nullopt unless every byte is a digit and the
// width is 1 to 18.
[[gnu::always_inline]] inline std::optional<std::int64_t> read_unsigned(ConstField field) {
  std::uint64_t value = 0;
  if (field.empty() || field.size() > kMaxDisplayDigits ||
      !digits::read(field.data(), field.size(), value, false)) [[unlikely]]
    return {};
  return static_cast<std::int64_t>(value);
}

// Writes `value` right-justified with leading zeros. As a numeric move does, a field too
// narrow keeps the low-order digits and a negative value leaves its magnitude; either way
// the result is false.
[[gnu::always_inline]] inline bool write_unsigned(Field field, std::int64_t value) {
  return digits::write(field.data(), field.size(), digits::magnitude_of(value)) && value >= 0;
}

// The value of a signed display field: every byte but the last a digit; the last byte's
// high half 0x3 or 0x4 means +, 0x5 or 0x7 means -, its low half the digit. nullopt when the
// field does not follow these rules or is wider than 18.
[[gnu::always_inline]] inline std::optional<std::int64_t> read_signed(ConstField field) {
  if (field.empty() || field.size() > kMaxDisplayDigits) return {};
  // Zones 3, 4, 5 and 7, as bits of a mask.
  const unsigned zone = static_cast<unsigned char>(field.back()) >> 4;
  std::uint64_t value = 0;
  if ((0b1011'1000u >> zone & 1) == 0 || !digits::read(field.data(), field.size(), value, true))
      [[unlikely]]
    return {};
  const auto magnitude = static_cast<std::int64_t>(value);
  return zone >= 0x5 ? -magnitude : magnitude;
}

// Writes `value` with its sign in the last byte, in the given convention or, without one,
// in the convention in force for the process (see host.hpp). False as for write_unsigned.
[[gnu::always_inline]] inline bool write_signed(Field field, std::int64_t value,
                                                SignConvention convention) {
  if (field.empty()) return value == 0;
  const bool fits = digits::write(field.data(), field.size(), digits::magnitude_of(value));
  const bool negative = value < 0;
  unsigned zone;
  if (convention == SignConvention::kRecord) {
    zone = negative ? 0x50 : 0x40;
  } else {
    zone = negative ? 0x70 : 0x30;
  }
  field.back() = static_cast<char>(zone | (field.back() & 0x0F));
  return fits;
}
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
