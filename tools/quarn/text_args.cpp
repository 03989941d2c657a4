#include "text_args.hpp"

#include <charconv>

namespace quarn::cli {

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

}  // namespace quarn::cli
