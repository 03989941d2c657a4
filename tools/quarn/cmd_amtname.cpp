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

int run(const Parsed& line) {
  const std::optional<std::int64_t> amount = parse_amount(line.operand(0));
  if (!amount) {
    return usage_error("amtname", quoted(line.operand(0)) +
                                      " is not an amount (at most 12 digits, a point and 2 "
                                      "decimals, e.g. 1234.56)");
  }
  QuarnAmtnameRecord record;
  put_field(record.an_words, "");
  put_field(record.an_result_code, "");
  quarn_write_display(record.an_amount, sizeof record.an_amount, 1, &*amount);
  record.an_cents_option[0] = line.has("--cents") ? '2' : ' ';
  put_field(record.an_trailing_text,
            record_text(line.value("--text"), record.an_trailing_text, "--text: the text"));
  QUARN_AMTNAME(&record);
  std::printf("%s\n", to_terminal(trimmed(record.an_words)).c_str());
  if (std::string_view(record.an_result_code, 2) != "00")
    return failure("amtname", "AMTNAME answered " + printable(record.an_result_code));
  return kOk;
}

const Registration registration(
    {.name = "amtname",
     .summary = "an amount of money in words, as on a cheque",
     .synopsis = "AMOUNT [--cents] [--text WORD]",
     .description =
         "Prints AMOUNT (e.g. 1234.56: up to 12 digits, a point and two decimals) in words as\n"
         "AMTNAME writes it on an 80-character line, protected by '**'. Higher groups become\n"
         "numerals when the words would not fit; a negative amount is written as zero.\n"
         "\n"
         "example: quarn amtname 1234.56 --cents --text Dollars\n"
         "         **One Thousand Two Hundred Thirty-Four & 56/100 Dollars\n",
     .options = {{.name = "--cents", .help = "add the cents as '& 56/100'"},
                 {.name = "--text",
                  .value = "WORD",
                  .help = "a word of up to 10 characters after the amount (a currency)"}},
     .operands = {1, 1},
     .expects = "one amount",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
