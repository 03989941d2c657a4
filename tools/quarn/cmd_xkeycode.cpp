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

int run(const Args& args) {
  Options options;
  std::string error;
  if (!parse_options(args, {"--shift"}, {}, options, error)) return usage_error("xkeycode", error);
  if (options.positional.size() != 1) return usage_error("xkeycode", "expects one key code");
  const auto code = parse_word(options.positional[0]);
  if (!code) {
    return usage_error("xkeycode", "'" + std::string(options.positional[0]) +
                                       "' is not a key code (-32768 to 32767, or 0x0000 to "
                                       "0xFFFF)");
  }
  QuarnXkeycodeRecord record;
  put_le16(record.xk_key_code, *code);
  put_le16(record.xk_shift_state, options.has("--shift") ? 1 : 0);
  put_field(record.xk_character, "");
  put_field(record.xk_no_character, "");
  put_field(record.xk_key_index, "");
  QUARN_XKEYCODE(&record);
  if (record.xk_no_character[0] == '1') {
    std::printf("no character (index %.2s)\n", record.xk_key_index);
  } else {
    std::printf("character '%c' index %.2s\n", record.xk_character[0], record.xk_key_index);
  }
  return kOk;
}

const Registration registration(
    {"xkeycode", "the character of a virtual-key code",
     "usage: quarn xkeycode CODE [--shift]\n"
     "\n"
     "Prints the character XKEYCODE gives for the virtual-key CODE (decimal, or hexadecimal\n"
     "as 0x41) and its index in the key tables (1-64), or 'no character' for a key without\n"
     "one. --shift reads the shifted table ('1' gives '!').\n"
     "\n"
     "example: quarn xkeycode 0xBA --shift   ->  character ':' index 11\n",
     &run});

}  // namespace
}  // namespace quarn::cli
