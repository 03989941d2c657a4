// WORDTOHEX: a 16-bit word as four hexadecimal digits, returned in the function result.
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";

// "00" to "FF": the two digits of each byte, the high one in the lower byte.
constexpr auto kBytePairs = [] {
  std::array<std::uint16_t, 256> pairs{};
  for (unsigned i = 0; i < pairs.size(); ++i)
    pairs[i] = static_cast<std::uint16_t>(kDigits[i >> 4] | kDigits[i & 0xF] << 8);
  return pairs;
}();

std::int32_t wordtohex(const std::int16_t* word_in, const char* byte_order) {
  const std::int16_t word = frame::read_le16(reinterpret_cast<const char*>(word_in));
  const bool low_byte_first = *byte_order == 'Y';
  // The absolute value; -32768 has none in 16 bits and stays 0x8000.
  const auto value = static_cast<std::uint16_t>(word < 0 ? -word : word);
  const std::uint32_t high = kBytePairs[value >> 8];
  const std::uint32_t low = kBytePairs[value & 0xFF];
  // The first character in the lowest byte of the result: the word as written (high byte
  // first), or its bytes in the order they lie in memory.
  return static_cast<std::int32_t>(low_byte_first ? low | high << 16 : high | low << 16);
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((WORDTOHEX), quarn::wordtohex, 2, (word, const std::int16_t),
              (byte_order, const char));
