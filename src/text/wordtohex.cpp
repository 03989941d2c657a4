// WORDTOHEX: a 16-bit word as four hexadecimal digits, returned in the function result.
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";

std::int32_t wordtohex(const std::int16_t* word_in, const char* byte_order) {
  const std::int16_t word = frame::read_le16(reinterpret_cast<const char*>(word_in));
  const bool low_byte_first = *byte_order == 'Y';
  // The absolute value; -32768 has none in 16 bits and stays 0x8000.
  const auto value = static_cast<std::uint16_t>(word < 0 ? -word : word);
  const char d0 = kDigits[value & 0x000F];
  const char d1 = kDigits[(value & 0x00F0) >> 4];
  const char d2 = kDigits[(value & 0x0F00) >> 8];
  const char d3 = kDigits[(value & 0xF000) >> 12];
  const char digits[4] = {low_byte_first ? d1 : d3, low_byte_first ? d0 : d2,
                          low_byte_first ? d3 : d1, low_byte_first ? d2 : d0};
  // The first character in the lowest byte of the result.
  return frame::read_le32(digits);
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((WORDTOHEX), quarn::wordtohex, 2, (word, const std::int16_t),
              (byte_order, const char));
