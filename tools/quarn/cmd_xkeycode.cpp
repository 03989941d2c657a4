// quarn xkeycode CODE [--shift]: the character of a virtual-key code.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

void put_le16(char* at, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  at[0] = static_cast<char>(bits & 0xFF);
  at[1] = static_cast<char>(bits >> 8);
}

int run(const Parsed& line) {
  const auto code = parse_word(line.operand(0));
  if (!code) {
    return usage_error("xkeycode", quoted(line.operand(0)) +
                                       " is not a key code (-32768 to 32767, or 0x0000 to "
                                       "0xFFFF)");
  }
  QuarnXkeycodeRecord record;
  put_le16(record.xk_key_code, *code);
  put_le16(record.xk_shift_state, line.has("--shift") ? 1 : 0);
  put_field(record.xk_character, "");
  put_field(record.xk_no_character, "");
  put_field(record.xk_key_index, "");
  QUARN_XKEYCODE(&record);
  if (record.xk_no_character[0] == '1') {
    std::printf("no character (index %s)\n", printable(record.xk_key_index).c_str());
  } else {
    std::printf("character '%s' index %s\n", printable(record.xk_character).c_str(),
                printable(record.xk_key_index).c_str());
  }
  return kOk;
}

const Registration registration(
    {.name = "xkeycode",
     .summary = "the character of a virtual-key code",
     .synopsis = "CODE [--shift]",
     .description =
         "Prints the character XKEYCODE gives for the virtual-key CODE (decimal, or hexadecimal\n"
         "as 0x41) and its index in the key tables (1-64), or 'no character' for a key without\n"
         "one.\n"
         "\n"
         "example: quarn xkeycode 0xBA --shift   ->  character ':' index 11\n",
     .options = {{.name = "--shift", .help = "read the shifted table ('1' gives '!')"}},
     .operands = {1, 1},
     .expects = "one key code",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
