// quarn getdate NUMBER: the date of a day number.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  int64_t number = 0;
  const std::string_view text = line.operand(0);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size())
    return usage_error("getdate", quoted(text) + " is not a number");
  QuarnGetdateRecord record;
  std::memset(&record, ' ', sizeof record);
  if (quarn_write_display(record.gd_day_number, 6, 1, &number) != 0)
    return usage_error("getdate", "a day number has at most six digits");
  QUARN_GETDATE(&record);
  const std::string result = printable(record.gd_result);
  std::printf("date:   %s/%s/%s (MM/DD/YYYY)\n", printable(record.gd_month).c_str(),
              printable(record.gd_day).c_str(), printable(record.gd_year).c_str());
  std::printf("result: %s (%s)\n", result.c_str(), result == "00" ? "valid" : "out of range");
  return result == "00" ? kOk : kFailure;
}

const Registration registration(
    {.name = "getdate",
     .summary = "the date of a day number (GETDATE)",
     .synopsis = "NUMBER",
     .description =
         "Prints the date GETDATE gives the day number (days from 30 December 1799: 367 is\n"
         "1 January 1801, 109574 is 31 December 2099) and its result: 00, or 99 for a number\n"
         "outside 1-109574, whose date is still shown, and which exits with 1. NUMBER may be\n"
         "negative (six digits at most).\n"
         "\n"
         "example: quarn getdate 80355\n",
     .operands = {1, 1},
     .expects = "one day number",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
