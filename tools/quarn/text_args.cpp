#include "text_args.hpp"

#include <algorithm>
#include <charconv>

namespace quarn::cli {

bool parse_options(const Args& args, std::initializer_list<std::string_view> flags,
                   std::initializer_list<std::string_view> valued, Options& options,
                   std::string& error) {
  const auto listed = [](std::initializer_list<std::string_view> list, std::string_view arg) {
    return std::find(list.begin(), list.end(), arg) != list.end();
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--")) {
      options.positional.push_back(arg);
    } else if (listed(flags, arg)) {
      options.set[arg] = "";
    } else if (listed(valued, arg)) {
      if (i + 1 >= args.size()) {
        error = std::string(arg) + " needs a value";
        return false;
      }
      options.set[arg] = args[++i];
    } else {
      error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
  }
  return true;
}

std::optional<std::int16_t> parse_word(std::string_view text) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const std::string_view digits = hex ? text.substr(2) : text;
  long value = 0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return {};
  if (hex) {
    if (value < 0 || value > 0xFFFF) return {};
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  }
  if (value < -32768 || value > 32767) return {};
  return static_cast<std::int16_t>(value);
}

std::optional<std::string> too_long(std::string_view text, std::span<const char> field) {
  if (text.size() <= field.size()) return std::nullopt;
  return "the text has " + std::to_string(text.size()) + " characters; at most " +
         std::to_string(field.size()) + " fit";
}

}  // namespace quarn::cli
