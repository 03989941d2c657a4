// XKEYCODE: the character that a virtual-key code carries, unshifted or shifted, and the
// key's index in the two key tables.
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

// Indexed by the key index, 1-based: digits 1-10, punctuation 11-17, letters 18-43,
// brackets and quote 44-47, space 48, keypad digits 49-58, keypad operators 59-64.
constexpr std::string_view kUnshifted =
    "0123456789;=,-./`ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]' 0123456789*+ -./";
constexpr std::string_view kShifted =
    ")!@#$%^&*(:+<_>?~ABCDEFGHIJKLMNOPQRSTUVWXYZ{|}\" 0123456789*+ - /";
static_assert(kUnshifted.size() == 64 && kShifted.size() == 64);

// The key index of a code, 0 for a key without a character.
constexpr int key_index(int code) {
  if (code >= 0x41 && code <= 0x5A) return code - 47;   // letters
  if (code == 0x20) return 48;                          // space bar
  if (code >= 0x60 && code <= 0x6F) return code - 47;   // numeric keypad
  if (code >= 0x30 && code <= 0x39) return code - 47;   // digits
  if (code >= 0xBA && code <= 0xC0) return code - 175;  // punctuation
  if (code >= 0xDB && code <= 0xDE) return code - 175;  // brackets and quote
  return 0;
}

// key_index() of every code below 256, looked up instead of tested range by range; codes
// from 256 on, and negative ones, have no character.
constexpr auto kKeyIndexes = [] {
  std::array<std::uint8_t, 256> indexes{};
  for (int code = 0; code < 256; ++code)
    indexes[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(key_index(code));
  return indexes;
}();

std::int32_t xkeycode(QuarnXkeycodeRecord* passed) {
  auto& record = *passed;
  const auto code = static_cast<std::uint16_t>(frame::read_le16(record.xk_key_code));
  const int index = code < kKeyIndexes.size() ? kKeyIndexes[code] : 0;
  if (index == 0 || index > 64) {
    frame::clear(record.xk_character);
    record.xk_no_character[0] = '1';
    frame::write_unsigned(record.xk_key_index, 0);
    return 0;
  }
  const bool shifted = frame::read_le16(record.xk_shift_state) == 1;
  record.xk_character[0] = (shifted ? kShifted : kUnshifted)[static_cast<std::size_t>(index - 1)];
  record.xk_no_character[0] = '0';
  frame::write_unsigned(record.xk_key_index, index);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((XKEYCODE), quarn::xkeycode, 1, (record, QuarnXkeycodeRecord));
