#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "quarn/quarn-m.h"

namespace {

std::string wordtohex(std::int16_t word, char byte_order) {
  const std::int32_t result = QUARN_WORDTOHEX(&word, &byte_order);
  const auto bits = static_cast<std::uint32_t>(result);
  return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8 & 0xFF),
          static_cast<char>(bits >> 16 & 0xFF), static_cast<char>(bits >> 24)};
}

TEST(Wordtohex, DigitsInBothByteOrders) {
  struct Case {
    std::int16_t word;
    const char* high_first;
    const char* low_first;
  };
  const Case cases[] = {
      {0x1234, "1234", "3412"},
      {255, "00FF", "FF00"},
      {0, "0000", "0000"},
      {0x7FFF, "7FFF", "FF7F"},
      {-1, "0001", "0100"},  // a negative word gives its absolute value
      {static_cast<std::int16_t>(0xABCD), "5433", "3354"},
      {-32768, "8000", "0080"},  // no absolute value in 16 bits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wordtohex(c.word, 'N'), c.high_first) << c.word;
    EXPECT_EQ(wordtohex(c.word, ' '), c.high_first) << c.word;
    EXPECT_EQ(wordtohex(c.word, 'Y'), c.low_first) << c.word;
    EXPECT_EQ(wordtohex(c.word, 'y'), c.high_first) << "only a capital Y swaps";
  }
}

}  // namespace
