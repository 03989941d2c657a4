// NUMEDIT, COMPRESS and ANDEDIT.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/codec.hpp"
#include "quarn/quarn.hpp"

namespace {

std::string numedit(const std::string& text) {
  QuarnNumeditRecord record;
  quarn::set_text(record.ne_text, text);
  std::memset(record.ne_number, '#', sizeof record.ne_number);
  QUARN_NUMEDIT(&record);
  EXPECT_EQ(quarn::text(record.ne_text), text) << "the text is left as it was";
  return std::string(record.ne_number, sizeof record.ne_number);
}

TEST(Numedit, DigitsSignsAndSeparators) {
  // The numbers are written in the records' convention: + as 0x40 + digit, - as 0x50 + digit.
  ASSERT_EQ(quarn_sign_convention(), QUARN_SIGN_RECORD);
  struct Case {
    const char* text;
    const char* expected;  // 13 integer digits, 5 decimals, the last with its sign
  };
  const Case cases[] = {
      {"123.45", "00000000001234500@"},
      {"-123.45", "00000000001234500P"},
      {"$1,234.56-", "00000000012345600P"},
      {"1,234.56", "00000000012345600@"},
      {".5", "00000000000005000@"},
      {"0.5", "00000000000005000@"},
      {"12", "00000000000120000@"},
      {"12.", "00000000000120000@"},
      {"1.2.3", "00000000000012300@"},
      {"12 34.5", "00000000012345000@"},
      {"1-2", "00000000000120000P"},
      {"(12.00)", "00000000000120000@"},
      {"+7", "00000000000070000@"},
      {"abc", "00000000000000000@"},
      {"", "00000000000000000@"},
      {"-", "00000000000000000@"},  // minus zero is written as plus zero
      {"-0.00", "00000000000000000@"},
      {"1.234567", "00000000000012345F"},  // digits beyond five decimals are dropped
      {"123456789012345678.99", "67890123456789900@"},
      {"99999999999999999999", "99999999999990000@"},
      {"123456789012345678901234", "23456789012340000@"},  // no point: all integer digits
      {"9999999999999.99999-", "99999999999999999Y"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numedit(c.text), c.expected) << c.text;
  }
}

TEST(Numedit, NumberIsReadBackByTheCodec) {
  const std::string number = numedit("$-1,234.5");
  EXPECT_EQ(quarn::frame::read_signed(number), -123450000);
}

std::string compress(const std::string& text) {
  QuarnCompressRecord record;
  quarn::set_text(record.cp_text, text);
  QUARN_COMPRESS(&record);
  return std::string(record.cp_text, sizeof record.cp_text);
}

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

TEST(Compress, RunsOfSpacesBecomeOne) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"  HELLO   WORLD  ", "HELLO WORLD"},
      {"A  B   C    D", "A B C D"},
      {"  A  ,  B  .", "A , B ."},
      {"", ""},
      {" X", "X"},
      {std::string(99, ' ') + "Z", "Z"},
      {std::string(100, 'Q'), std::string(100, 'Q')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compress(c.text), padded(c.expected, 100)) << c.text;
  }
  // Only the space counts: tabs and zero bytes are kept as they are.
  const std::string odd("A\t \0\0  B", 8);
  EXPECT_EQ(compress(odd), padded(std::string("A\t \0\0 B", 7), 100));
}

std::string andedit(const std::string& text) {
  QuarnAndeditRecord record;
  quarn::set_text(record.ae_text, text);
  QUARN_ANDEDIT(&record);
  return std::string(record.ae_text, sizeof record.ae_text);
}

TEST(Andedit, DoublesEveryAmpersandWithin128) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"A&B", "A&&B"},
      {"R&D & CO", "R&&D && CO"},
      {"NO AMPERSAND", "NO AMPERSAND"},
      {"&", "&&"},
      {"", ""},
      {std::string(70, '&'), std::string(128, '&')},
      // the first of the pair falls on position 128: the second is lost
      {std::string(127, 'x') + "&", std::string(127, 'x') + "&"},
      {std::string(126, 'x') + "&Y", std::string(126, 'x') + "&&"},
      {std::string(63, 'x') + "&" + std::string(64, 'y'),
       std::string(63, 'x') + "&&" + std::string(63, 'y')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(andedit(c.text), padded(c.expected, 128)) << c.text;
  }
}

// The work area is the program's own: a long result must not leak into a later short one.
TEST(Andedit, NothingCarriesToTheNextCall) {
  andedit(std::string(128, '&'));
  EXPECT_EQ(andedit("A"), padded("A", 128));
}

}  // namespace
