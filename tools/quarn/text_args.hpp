// What the text and number commands share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli.hpp"

namespace quarn::cli {

// A 16-bit word: decimal -32768 to 32767, or 0x0000 to 0xFFFF (the bits as they are).
std::optional<std::int16_t> parse_word(std::string_view text);

// Runs a program that edits one text field of its record in place: the one operand goes
// into the field and the field without its trailing spaces is printed.
template <typename Record>
int edit_in_place(const Parsed& line, Record& record, std::span<char> field,
                  std::int32_t (*program)(Record*)) {
  put_field(field, record_text(line.operand(0), field));
  program(&record);
  std::printf("%s\n", to_terminal(trimmed(field)).c_str());
  return kOk;
}

}  // namespace quarn::cli
