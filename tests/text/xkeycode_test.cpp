#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "frame/codec.hpp"
#include "quarn/quarn-m.h"

namespace {

struct Key {
  char character;
  char no_character;
  std::string index;
};

Key xkeycode(std::int16_t code, std::int16_t shift) {
  QuarnXkeycodeRecord record;
  quarn::frame::write_le16(record.xk_key_code, code);
  quarn::frame::write_le16(record.xk_shift_state, shift);
  record.xk_character[0] = '#';
  record.xk_no_character[0] = '#';
  record.xk_key_index[0] = record.xk_key_index[1] = '#';
  QUARN_XKEYCODE(&record);
  return {record.xk_character[0], record.xk_no_character[0], std::string(record.xk_key_index, 2)};
}

// Every key range, both tables: the first and last key of each range and a few between.
TEST(Xkeycode, KeyRangesInBothTables) {
  struct Case {
    int code;
    char unshifted;
    char shifted;
    const char* index;
  };
  const Case cases[] = {
      {0x30, '0', ')', "01"}, {0x32, '2', '@', "03"},  {0x39, '9', '(', "10"},
      {0xBA, ';', ':', "11"}, {0xBB, '=', '+', "12"},  {0xBD, '-', '_', "14"},
      {0xC0, '`', '~', "17"}, {0x41, 'A', 'A', "18"},  {0x5A, 'Z', 'Z', "43"},
      {0xDB, '[', '{', "44"}, {0xDC, '\\', '|', "45"}, {0xDE, '\'', '"', "47"},
      {0x20, ' ', ' ', "48"}, {0x60, '0', '0', "49"},  {0x69, '9', '9', "58"},
      {0x6A, '*', '*', "59"}, {0x6B, '+', '+', "60"},  {0x6C, ' ', ' ', "61"},
      {0x6D, '-', '-', "62"}, {0x6E, '.', ' ', "63"},  {0x6F, '/', '/', "64"},
  };
  for (const Case& c : cases) {
    const Key plain = xkeycode(static_cast<std::int16_t>(c.code), 0);
    EXPECT_EQ(plain.character, c.unshifted) << std::hex << c.code;
    EXPECT_EQ(plain.no_character, '0') << std::hex << c.code;
    EXPECT_EQ(plain.index, c.index) << std::hex << c.code;
    const Key shifted = xkeycode(static_cast<std::int16_t>(c.code), 1);
    EXPECT_EQ(shifted.character, c.shifted) << std::hex << c.code;
    EXPECT_EQ(shifted.index, c.index) << std::hex << c.code;
  }
}

TEST(Xkeycode, OnlyShiftStateOneIsShifted) {
  for (const std::int16_t shift : {0, 2, -1, 0x0101, 256}) {
    EXPECT_EQ(xkeycode(0x31, shift).character, '1') << shift;
  }
  EXPECT_EQ(xkeycode(0x31, 1).character, '!');
}

TEST(Xkeycode, KeysWithoutACharacter) {
  for (const int code : {0x0D, 0x70, -1, -0x41, 0x1F, 0x21, 0x2F, 0x3A, 0x40, 0x5B, 0x5F, 0xB9,
                         0xC1, 0xDA, 0xDF, 0x141, 0x7FFF, -32768}) {
    for (const std::int16_t shift : {0, 1}) {
      const Key key = xkeycode(static_cast<std::int16_t>(code), shift);
      EXPECT_EQ(key.character, ' ') << std::hex << code;
      EXPECT_EQ(key.no_character, '1') << std::hex << code;
      EXPECT_EQ(key.index, "00") << std::hex << code;
    }
  }
}

}  // namespace
