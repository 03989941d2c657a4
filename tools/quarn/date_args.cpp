#include "date_args.hpp"

#include <algorithm>
#include <cstdint>

#include "cli.hpp"

namespace quarn::cli {
namespace {

bool all_digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Right-justifies `part` (1 to width digits) with leading zeros.
bool put_digits(std::string_view part, std::span<char> out) {
  if (part.empty() || part.size() > out.size() || !all_digits(part)) return false;
  std::fill(out.begin(), out.end(), '0');
  std::copy(part.begin(), part.end(), out.end() - static_cast<std::ptrdiff_t>(part.size()));
  return true;
}

}  // namespace

bool parse_date(std::string_view text, std::span<char, 8> digits) {
  if (text.size() == 8 && all_digits(text)) {
    std::copy(text.begin(), text.end(), digits.begin());
    return true;
  }
  const std::size_t first = text.find('/');
  if (first == std::string_view::npos) return false;
  const std::size_t second = text.find('/', first + 1);
  if (second == std::string_view::npos) return false;
  return put_digits(text.substr(0, first), digits.subspan(0, 2)) &&
         put_digits(text.substr(first + 1, second - first - 1), digits.subspan(2, 2)) &&
         put_digits(text.substr(second + 1), digits.subspan(4, 4));
}

std::string display_value(std::span<const char> field, bool is_signed) {
  std::int64_t value = 0;
  if (quarn_read_display(field.data(), static_cast<int32_t>(field.size()), is_signed ? 1 : 0,
                         &value) != 0) {
    return "[" + printable(field) + "]";
  }
  return std::to_string(value);
}

std::string describe_check(const QuarnDatechkRecord& check) {
  const auto* bytes = reinterpret_cast<const char*>(&check);
  return "month " + display_value(check.dc_month, true) + ", day " +
         display_value(check.dc_day, true) + ", year " + display_value(check.dc_year, true) +
         ", result " + printable(check.dc_result) + ", switches " + printable({bytes + 10, 3}) +
         " [" + printable({bytes, sizeof check}) + "]";
}

}  // namespace quarn::cli
