// AMTNAME: an amount of money in words for a cheque, with numerals for the higher groups
// when the words would not fit the line.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::array<std::string_view, 19> kUnits{
    "One",     "Two",     "Three",     "Four",     "Five",    "Six",      "Seven",
    "Eight",   "Nine",    "Ten",       "Eleven",   "Twelve",  "Thirteen", "Fourteen",
    "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
constexpr std::array<std::string_view, 8> kTens{"Twenty", "Thirty",  "Forty",  "Fifty",
                                                "Sixty",  "Seventy", "Eighty", "Ninety"};
constexpr std::string_view kHundred = "Hundred";
// Scale words of the billions, millions and thousands groups; the units group has none.
constexpr std::array<std::string_view, 3> kScales{"Billion", "Million", "Thousand"};
constexpr std::string_view kZero = "Zero";
constexpr std::string_view kProtection = "**";
constexpr std::string_view kCentsLead = "& ";
constexpr std::string_view kCentsTail = "/100";

constexpr int kGroups = 4;  // billions, millions, thousands, units
constexpr int kUnitsGroup = 3;
constexpr int kLineWidth = 100;
constexpr int kBudgetWithCents = 79 - 17;
constexpr int kBudgetWithoutCents = 79 - 10;

// Text assembled in a fixed area; what does not fit is cut.
template <std::size_t N>
struct Builder {
  std::array<char, N> text;
  std::size_t length = 0;

  Builder() { text.fill(' '); }
  void add(std::string_view part) {
    const std::size_t n = std::min(part.size(), N - length);
    std::copy_n(part.data(), n, text.data() + length);
    length += n;
  }
  void add_space() { add(" "); }
  // A number of 0 to 999 without leading zeros.
  void add_number(int value) {
    char digits[3];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value > 0);
    while (count > 0)
      add({&digits[--count], 1});
  }
  std::string_view view() const { return {text.data(), length}; }
};

// Room for the longest group, "Seven Hundred Seventy-Seven Thousand".
using GroupText = Builder<37>;

struct Group {
  GroupText text;
  // Characters of the text plus the space that follows it; 0 for an empty group.
  int length() const { return text.length == 0 ? 0 : static_cast<int>(text.length) + 1; }
};

void add_words(GroupText& text, int value, int group) {
  const int hundreds = value / 100;
  const int rest = value % 100;
  if (hundreds > 0) {
    text.add(kUnits[hundreds - 1]);
    text.add_space();
    text.add(kHundred);
  }
  if (rest > 0) {
    if (text.length > 0) text.add_space();
    if (rest < 20) {
      text.add(kUnits[rest - 1]);
    } else {
      text.add(kTens[rest / 10 - 2]);
      if (rest % 10 != 0) {
        text.add("-");
        text.add(kUnits[rest % 10 - 1]);
      }
    }
  }
  if (group != kUnitsGroup) {
    text.add_space();
    text.add(kScales[group]);
  }
}

// The amount's 14 digits. A field that is not a well-formed signed number is read the
// lenient way: each byte by its low four bits (a space is 0), a half above 9 as 0, and the
// sign from the high half of the last byte.
std::array<int, 14> amount_digits(frame::ConstField amount) {
  std::array<int, 14> digits{};
  bool negative = false;
  if (const auto value = frame::read_signed(amount)) {
    negative = *value < 0;
    std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(*value)
                                       : static_cast<std::uint64_t>(*value);
    for (std::size_t i = digits.size(); i > 0; --i) {
      digits[i - 1] = static_cast<int>(magnitude % 10);
      magnitude /= 10;
    }
  } else {
    for (std::size_t i = 0; i < digits.size(); ++i) {
      const int low = static_cast<unsigned char>(amount[i]) & 0x0F;
      digits[i] = low <= 9 ? low : 0;
    }
    const unsigned zone = static_cast<unsigned char>(amount.back()) >> 4;
    negative = zone == 0x5 || zone == 0x7;
  }
  // A negative amount is worded as zero, its cents included.
  if (negative) digits.fill(0);
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
  std::array<Group, kGroups> groups;
  if (values[0] + values[1] + values[2] + values[3] == 0) {
    groups[kUnitsGroup].text.add(kZero);
  } else {
    for (int g = 0; g < kGroups; ++g) {
      if (values[g] != 0) add_words(groups[g].text, values[g], g);
    }
  }

  // Fitting: each higher group, once and in order, becomes a numeral while the total is over
  // the budget. The units group always stays in words.
  const auto total = [&groups] {
    int sum = 0;
    for (const Group& group : groups)
      sum += group.length();
    return sum;
  };
  for (int g = 0; g < kUnitsGroup; ++g) {
    if (groups[g].text.length == 0 || total() <= budget) continue;
    groups[g].text = GroupText();
    groups[g].text.add_number(values[g]);
    groups[g].text.add_space();
    groups[g].text.add(kScales[g]);
  }

  Builder<kLineWidth> line;
  line.add(kProtection);
  bool first = true;
  for (const Group& group : groups) {
    if (group.text.length == 0) continue;
    if (!first) line.add_space();
    line.add(group.text.view());
    first = false;
  }
  line.add_space();
  if (with_cents) {
    const char cents[2] = {static_cast<char>('0' + digits[12]),
                           static_cast<char>('0' + digits[13])};
    line.add(kCentsLead);
    line.add({cents, 2});
    line.add(kCentsTail);
  }
  line.add_space();
  line.add(frame::trimmed(record.an_trailing_text));
  frame::put_text(record.an_words, line.view());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((AMTNAME), quarn::amtname, 1, (record, QuarnAmtnameRecord));
