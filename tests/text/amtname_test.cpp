#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "quarn/quarn.hpp"

namespace {

QuarnAmtnameRecord record_for(std::int64_t hundredths, char cents_option,
                              const char* trailing = "") {
  QuarnAmtnameRecord record;
  std::memset(&record, '#', sizeof record);
  EXPECT_TRUE(quarn::set_number(record.an_amount, hundredths, true));
  record.an_cents_option[0] = cents_option;
  quarn::set_text(record.an_trailing_text, trailing);
  return record;
}

std::string words(QuarnAmtnameRecord& record) {
  QUARN_AMTNAME(&record);
  return std::string(quarn::text(record.an_words));
}

TEST(Amtname, Words) {
  struct Case {
    std::int64_t hundredths;
    char cents_option;
    const char* trailing;
    const char* expected;
  };
  const Case cases[] = {
      {0, 'N', "", "**Zero"},
      {56, 'N', "", "**Zero"},
      {56, '2', "", "**Zero & 56/100"},
      {0, '2', "", "**Zero & 00/100"},
      {123456, 'N', "", "**One Thousand Two Hundred Thirty-Four"},
      {123456, '2', "", "**One Thousand Two Hundred Thirty-Four & 56/100"},
      {123456, ' ', "Dollars", "**One Thousand Two Hundred Thirty-Four  Dollars"},
      {123456, '2', "Dollars", "**One Thousand Two Hundred Thirty-Four & 56/100 Dollars"},
      {123456, '2', "  US $", "**One Thousand Two Hundred Thirty-Four & 56/100   US $"},
      {10100, 'N', "", "**One Hundred One"},
      {11000, 'N', "", "**One Hundred Ten"},
      {2000, 'N', "", "**Twenty"},
      {9900, 'N', "", "**Ninety-Nine"},
      {1900, 'N', "", "**Nineteen"},
      {100100100100, 'N', "", "**One Billion One Million One Thousand One"},
      {77700077700, 'N', "", "**Seven Hundred Seventy-Seven Million Seven Hundred Seventy-Seven"},
      {500000000000, 'N', "", "**Five Billion"},
  };
  for (const Case& c : cases) {
    QuarnAmtnameRecord record = record_for(c.hundredths, c.cents_option, c.trailing);
    EXPECT_EQ(words(record), c.expected) << c.hundredths << " " << c.cents_option;
    EXPECT_EQ(std::string(record.an_result_code, 2), "00");
  }
}

// The higher groups become numerals, in order, while the total is over the budget: 69
// without cents, 62 with them. The units group always stays in words.
TEST(Amtname, NumeralsWhenTheWordsDoNotFit) {
  struct Case {
    std::int64_t hundredths;
    char cents_option;
    const char* expected;
  };
  const Case cases[] = {
      // total 69: exactly the budget, stays in words
      {7777701700, 'N', "**Seventy-Seven Million Seven Hundred Seventy-Seven Thousand Seventeen"},
      // total 70: one over
      {7777702100, 'N', "**77 Million Seven Hundred Seventy-Seven Thousand Twenty-One"},
      // still over after the millions: the thousands follow
      {1234567800, 'N', "**12 Million 345 Thousand Six Hundred Seventy-Eight"},
      {77777700, 'N', "**Seven Hundred Seventy-Seven Thousand Seven Hundred Seventy-Seven"},
      {77777700, '2', "**777 Thousand Seven Hundred Seventy-Seven & 00/100"},
      {99999999999999, '2',
       "**999 Billion 999 Million 999 Thousand Nine Hundred Ninety-Nine & 99/100"},
      // numerals of one and two digits have no leading zeros
      {507007777700, 'N', "**5 Billion 70 Million 77 Thousand Seven Hundred Seventy-Seven"},
      // an empty group is skipped, not turned into "0 Million"
      {77700077777700, 'N', "**777 Billion 777 Thousand Seven Hundred Seventy-Seven"},
  };
  for (const Case& c : cases) {
    QuarnAmtnameRecord record = record_for(c.hundredths, c.cents_option);
    EXPECT_EQ(words(record), c.expected) << c.hundredths << " " << c.cents_option;
  }
}

TEST(Amtname, LineIsCutAt80) {
  QuarnAmtnameRecord record = record_for(77777777777799, '2', "Dollars");
  const std::string expected =
      "**777 Billion 777 Million 777 Thousand Seven Hundred Seventy-Seven & 99/100 Doll";
  ASSERT_EQ(expected.size(), 80u);
  EXPECT_EQ(words(record), expected);
}

TEST(Amtname, NegativeAndUnreadableAmountsAreZero) {
  QuarnAmtnameRecord record = record_for(0, '2');
  const char negative[] = "0000000012345P";  // -1234.50 in the records' convention
  const char gnucobol[] = "0000000012345p";  // -1234.50 as GnuCOBOL writes it
  for (const char* amount : {negative, gnucobol}) {
    std::memcpy(record.an_amount, amount, 14);
    EXPECT_EQ(words(record), "**Zero & 00/100") << amount;
    EXPECT_EQ(std::string(record.an_amount, 14), amount) << "the amount is left as it was";
  }

  std::memset(record.an_amount, ' ', 14);
  record.an_cents_option[0] = 'N';
  EXPECT_EQ(words(record), "**Zero");

  // Bytes that are not digits count by their low four bits; a half above 9 counts as 0.
  std::memcpy(record.an_amount, "    1 2 3:?4 5", 14);
  record.an_cents_option[0] = '2';
  EXPECT_EQ(words(record), "**Ten Million Two Hundred Three Thousand Four & 05/100");
  std::memcpy(record.an_amount, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 14);
  EXPECT_EQ(words(record), "**Zero & 00/100");
}

}  // namespace
