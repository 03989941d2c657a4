// quarn amtname AMOUNT [--cents] [--text WORD]: an amount in words, as on a cheque.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

// "1234.56", "-0.5", "12": at most 12 integer digits and 2 decimals, as hundredths.
std::optional<std::int64_t> parse_amount(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view integer = text.substr(0, point);
  const std::string_view decimals =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto all_digits = [](std::string_view s) {
    for (const char c : s)
      if (c < '0' || c > '9') return false;
    return true;
  };
  if (integer.size() > 12 || decimals.size() > 2 || !all_digits(integer) || !all_digits(decimals) ||
      (integer.empty() && decimals.empty()) ||
      (point != std::string_view::npos && decimals.empty())) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (const char c : integer)
    value = value * 10 + (c - '0');
  for (std::size_t i = 0; i < 2; ++i)
    value = value * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
  return negative ? -value : value;
}

int run(const Args& args) {
  Options options;
  std::string error;
  if (!parse_options(args, {"--cents"}, {"--text"}, options, error))
    return usage_error("amtname", error);
  if (options.positional.size() != 1) return usage_error("amtname", "expects one amount");
  const std::optional<std::int64_t> amount = parse_amount(options.positional[0]);
  if (!amount) {
    return usage_error("amtname", "'" + std::string(options.positional[0]) +
                                      "' is not an amount (at most 12 digits, a point and 2 "
                                      "decimals, e.g. 1234.56)");
  }
  QuarnAmtnameRecord record;
  put_field(record.an_words, "");
  put_field(record.an_result_code, "");
  quarn_write_display(record.an_amount, sizeof record.an_amount, 1, &*amount);
  record.an_cents_option[0] = options.has("--cents") ? '2' : ' ';
  const std::string_view text = options.has("--text") ? options.set["--text"] : "";
  if (const auto message = too_long(text, record.an_trailing_text))
    return usage_error("amtname", "--text: " + *message);
  put_field(record.an_trailing_text, text);
  QUARN_AMTNAME(&record);
  std::printf("%s\n", std::string(trimmed(record.an_words)).c_str());
  return kOk;
}

const Registration registration(
    {"amtname", "an amount of money in words, as on a cheque",
     "usage: quarn amtname AMOUNT [--cents] [--text WORD]\n"
     "\n"
     "Prints AMOUNT (e.g. 1234.56: up to 12 digits, a point and two decimals) in words as\n"
     "AMTNAME writes it on an 80-character line, protected by '**'. --cents adds the cents\n"
     "as '& 56/100'; --text adds a word of up to 10 characters after the amount (a currency,\n"
     "e.g. Dollars). Higher groups become numerals when the words would not fit; a negative\n"
     "amount is written as zero.\n"
     "\n"
     "example: quarn amtname 1234.56 --cents --text Dollars\n"
     "         **One Thousand Two Hundred Thirty-Four & 56/100 Dollars\n",
     &run});

}  // namespace
}  // namespace quarn::cli
