// Argument handling shared by the text and number commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli.hpp"

namespace quarn::cli {

struct Options {
  std::vector<std::string_view> positional;          // in order; "-1" is positional too
  std::map<std::string_view, std::string_view> set;  // option -> its value ("" for a flag)
  bool has(std::string_view option) const { return set.count(option) != 0; }
};

// Splits `args` into options ("--name", as listed in `flags` or, taking the next argument
// as value, in `valued`) and positional arguments. False with a message in `error` for an
// unknown option or a missing value.
bool parse_options(const Args& args, std::initializer_list<std::string_view> flags,
                   std::initializer_list<std::string_view> valued, Options& options,
                   std::string& error);

// A 16-bit word: decimal -32768 to 32767, or 0x0000 to 0xFFFF (the bits as they are).
std::optional<std::int16_t> parse_word(std::string_view text);

// Checks that `text` fits `field`: nullopt when it does, else the usage error's message.
std::optional<std::string> too_long(std::string_view text, std::span<const char> field);

// Runs a program that edits one text field of its record in place: TEXT, the one argument,
// goes into the field and the field without its trailing spaces is printed.
template <typename Record>
int edit_in_place(std::string_view command, const Args& args, Record& record, std::span<char> field,
                  std::int32_t (*program)(Record*)) {
  if (args.size() != 1) return usage_error(command, "expects one text");
  if (const auto message = too_long(args[0], field)) return usage_error(command, *message);
  put_field(field, args[0]);
  program(&record);
  std::printf("%s\n", std::string(trimmed(field)).c_str());
  return kOk;
}

}  // namespace quarn::cli
