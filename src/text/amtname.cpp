// AMTNAME: an amount of money in words for a cheque, with numerals for the higher groups
// when the words would not fit the line.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

// A piece of the line with the space that follows it, padded with spaces to a fixed width:
// every piece is written with one copy of that width and the line goes on by its length.
struct Piece {
  static constexpr std::size_t kWidth = 16;
  std::array<char, kWidth> text{};
  std::size_t length = 0;

  constexpr Piece() { text.fill(' '); }
  // The parts run together, then a space; no parts give an empty piece. The tables are
  // built at compile time, so words too long for the width stop the build.
  constexpr explicit Piece(std::string_view first, std::string_view second = {},
                           std::string_view third = {})
      : Piece() {
    const std::size_t words = first.size() + second.size() + third.size();
    if (words == 0) return;
    if (words >= kWidth) throw "a piece's words and space must fit its width";
    auto at = std::copy(first.begin(), first.end(), text.begin());
    at = std::copy(second.begin(), second.end(), at);
    std::copy(third.begin(), third.end(), at);
    length = words + 1;
  }
};

constexpr std::array<std::string_view, 20> kUnits{
    "",         "One",     "Two",     "Three",     "Four",     "Five",    "Six",
    "Seven",    "Eight",   "Nine",    "Ten",       "Eleven",   "Twelve",  "Thirteen",
    "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
constexpr std::array<std::string_view, 10> kTens{"",      "",      "Twenty",  "Thirty", "Forty",
                                                 "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

// The words of 0 to 99 ("" for 0, "Seventy-Seven"), each as a piece.
constexpr std::array<Piece, 100> kBelowHundred = [] {
  std::array<Piece, 100> pieces;
  for (std::size_t n = 1; n < 100; ++n) {
    if (n < 20) {
      pieces[n] = Piece(kUnits[n]);
    } else if (n % 10 == 0) {
      pieces[n] = Piece(kTens[n / 10]);
    } else {
      pieces[n] = Piece(kTens[n / 10], "-", kUnits[n % 10]);
    }
  }
  return pieces;
}();

// The hundreds of 0 to 999 ("" for none, "Seven Hundred"), each as a piece.
constexpr std::array<Piece, 10> kHundreds = [] {
  std::array<Piece, 10> pieces;
  for (std::size_t n = 1; n < 10; ++n)
    pieces[n] = Piece(kUnits[n], " Hundred");
  return pieces;
}();

constexpr int kGroups = 4;  // billions, millions, thousands, units
constexpr int kUnitsGroup = 3;
// The scale word of each group; the units group has none.
constexpr std::array<Piece, kGroups> kScales{Piece("Billion"), Piece("Million"), Piece("Thousand"),
                                             Piece("")};
constexpr Piece kZero("Zero");  // an amount of nothing, alone in the line
constexpr std::string_view kProtection = "**";
constexpr int kBudgetWithCents = 79 - 17;
constexpr int kBudgetWithoutCents = 79 - 10;

// A bound on the line before it is cut to the field: protection, every group at most three
// pieces, the cents, a space and the trailing text.
constexpr std::size_t kLongestLine = kProtection.size() + kGroups * 3 * Piece::kWidth +
                                     Piece::kWidth + 1 +
                                     sizeof(QuarnAmtnameRecord::an_trailing_text);

// Writes a piece at `end` of the line, which is filled with spaces so that the piece's
// padding and whatever the line does not reach are spaces already; returns the new end.
// (The end is a local pointer, not a member: stores of chars could alias a member, which
// would then be reloaded after every piece.)
char* add(char* end, const Piece& piece) {
  std::memcpy(end, piece.text.data(), Piece::kWidth);
  return end + piece.length;
}
char* add(char* end, std::string_view part) {
  std::memcpy(end, part.data(), part.size());
  return end + part.size();
}

// A group of 0 to 999 as a numeral without leading zeros ("777"), and its length with the
// space that follows it. The digits go straight into the line: a piece assembled byte by
// byte and then copied whole would wait for its bytes to be stored.
std::size_t numeral_length(int value) {
  return value >= 100 ? 4 : value >= 10 ? 3 : 2;
}
char* add_numeral(char* end, int value) {
  if (value >= 100) *end++ = static_cast<char>('0' + value / 100);
  if (value >= 10) *end++ = static_cast<char>('0' + value / 10 % 10);
  *end++ = static_cast<char>('0' + value % 10);
  return end + 1;
}

// The amount's 14 digits, each byte by its low four bits, with the sign from the high half
// of the last byte (0x5 or 0x7 is minus). That is how a well-formed signed display number
// reads (frame::read_signed), and it also reads any other field the lenient way: a space is
// 0 and a half above 9 counts as 0. Taking the digits from the bytes spares dividing the
// value back into digits.
std::array<int, 14> amount_digits(frame::ConstField amount) {
  std::array<int, 14> digits{};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const int low = static_cast<unsigned char>(amount[i]) & 0x0F;
    digits[i] = low <= 9 ? low : 0;
  }
  const unsigned zone = static_cast<unsigned char>(amount.back()) >> 4;
  // A negative amount is worded as zero, its cents included.
  if (zone == 0x5 || zone == 0x7) digits.fill(0);
  return digits;
}

std::int32_t amtname(QuarnAmtnameRecord* passed) {
  auto& record = *passed;
  frame::put_text(record.an_result_code, "00");
  const bool with_cents = record.an_cents_option[0] == '2';
  const int budget = with_cents ? kBudgetWithCents : kBudgetWithoutCents;
  const std::array<int, 14> digits = amount_digits(record.an_amount);

  std::array<int, kGroups> values{};
  for (int g = 0; g < kGroups; ++g) {
    values[g] = digits[3 * g] * 100 + digits[3 * g + 1] * 10 + digits[3 * g + 2];
  }

  // Fitting, on the lengths alone: each higher group, once and in order, becomes a numeral
  // while the total is over the budget. The units group always stays in words. A group's
  // length counts the space that follows it.
  const auto words_length = [&values](int g) {
    const int value = values[g];
    return static_cast<int>(kHundreds[value / 100].length + kBelowHundred[value % 100].length +
                            kScales[g].length);
  };
  const bool zero = values[0] + values[1] + values[2] + values[3] == 0;
  int total = zero ? static_cast<int>(kZero.length) : 0;
  for (int g = 0; g < kGroups; ++g) {
    if (values[g] != 0) total += words_length(g);
  }
  std::array<bool, kGroups> as_numeral{};
  for (int g = 0; g < kUnitsGroup; ++g) {
    if (values[g] == 0 || total <= budget) continue;
    as_numeral[g] = true;
    total += static_cast<int>(numeral_length(values[g]) + kScales[g].length) - words_length(g);
  }

  std::array<char, kLongestLine + Piece::kWidth> line;
  line.fill(' ');
  char* end = add(line.data(), kProtection);
  if (zero) end = add(end, kZero);
  for (int g = 0; g < kGroups; ++g) {
    const int value = values[g];
    if (value == 0) continue;
    if (as_numeral[g]) {
      end = add_numeral(end, value);
    } else {
      end = add(end, kHundreds[value / 100]);
      end = add(end, kBelowHundred[value % 100]);
    }
    end = add(end, kScales[g]);
  }
  if (with_cents) {
    end = add(end, "& ");
    *end++ = static_cast<char>('0' + digits[12]);
    *end++ = static_cast<char>('0' + digits[13]);
    end = add(end, "/100");
  }
  end = add(end, " ");
  // The whole trailing field: its trailing spaces are the line's padding anyway.
  end = add(end, frame::text_of(record.an_trailing_text));
  frame::put_text(record.an_words, {line.data(), static_cast<std::size_t>(end - line.data())});
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((AMTNAME), quarn::amtname, 1, (record, QuarnAmtnameRecord));
