// XKEYCODE: the character that a virtual-key code carries, unshifted or shifted, and the
// key's index in the two key tables.
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

// What XKEYCODE writes after the codes (the character, "1" or "0" for no character, the
// key index in two digits), worked out for every code below 256, unshifted and shifted.
// A code without a character, and every code from 256 on or below 0, writes " 100".
using Output = std::array<char, 4>;
constexpr Output kNoCharacter{' ', '1', '0', '0'};
constexpr auto kOutputs = [] {
  std::array<std::array<Output, 2>, 256> outputs{};
  for (int code = 0; code < 256; ++code) {
    const int index = key_index(code);
    for (const bool shifted : {false, true}) {
      const std::string_view characters = shifted ? kShifted : kUnshifted;
      outputs[static_cast<std::size_t>(code)][shifted] =
          index == 0
              ? kNoCharacter
              : Output{characters[static_cast<std::size_t>(index - 1)], '0',
                       static_cast<char>('0' + index / 10), static_cast<char>('0' + index % 10)};
    }
  }
  return outputs;
}();

std::int32_t xkeycode(QuarnXkeycodeRecord* passed) {
  auto& record = *passed;
  const auto code = static_cast<std::uint16_t>(frame::read_le16(record.xk_key_code));
  const bool shifted = frame::read_le16(record.xk_shift_state) == 1;
  const Output& output = code < kOutputs.size() ? kOutputs[code][shifted] : kNoCharacter;
  // The three fields lie side by side: one copy of four bytes writes them.
  static_assert(offsetof(QuarnXkeycodeRecord, xk_key_index) + sizeof record.xk_key_index -
                    offsetof(QuarnXkeycodeRecord, xk_character) ==
                sizeof(Output));
  std::memcpy(reinterpret_cast<char*>(&record) + offsetof(QuarnXkeycodeRecord, xk_character),
              output.data(), output.size());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((XKEYCODE), quarn::xkeycode, 1, (record, QuarnXkeycodeRecord));
