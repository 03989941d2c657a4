// WORDTOHEX: a 16-bit word as four hexadecimal digits, returned in the function result.
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";

std::int32_t wordtohex(void* const* params) {
  const std::int16_t word = frame::read_le16(static_cast<const char*>(params[0]));
  const bool low_byte_first = *static_cast<const char*>(params[1]) == 'Y';
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

frame::Program program({"WORDTOHEX", 2, 2, {2, 1}, &wordtohex});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_WORDTOHEX(const int16_t* word, const char* byte_order) {
  return quarn::program.enter_exported({const_cast<int16_t*>(word), const_cast<char*>(byte_order)});
}
QUARN_EXPORT_AS(QUARN_WORDTOHEX, "WORDTOHEX", quarn_wordtohex_cobol);
