// quarn getdate NUMBER: the date of a day number.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 1) return usage_error("getdate", "expects one day number");
  int64_t number = 0;
  const std::string_view text = args[0];
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size())
    return usage_error("getdate", "'" + std::string(text) + "' is not a number");
  QuarnGetdateRecord record;
  std::memset(&record, ' ', sizeof record);
  if (quarn_write_display(record.gd_day_number, 6, 1, &number) != 0)
    return usage_error("getdate", "a day number has at most six digits");
  QUARN_GETDATE(&record);
  const std::string result = printable(record.gd_result);
  std::printf("date:   %s/%s/%s (MM/DD/YYYY)\n", printable(record.gd_month).c_str(),
              printable(record.gd_day).c_str(), printable(record.gd_year).c_str());
  std::printf("result: %s (%s)\n", result.c_str(), result == "00" ? "valid" : "out of range");
  return kOk;
}

const Registration registration(
    {"getdate", "the date of a day number (GETDATE)",
     "usage: quarn getdate NUMBER\n"
     "\n"
     "Prints the date GETDATE gives the day number (days from 30 December 1799: 367 is\n"
     "1 January 1801, 109574 is 31 December 2099) and its result: 00, or 99 for a number\n"
     "outside 1-109574, whose date is still shown. NUMBER may be negative (six digits at\n"
     "most).\n"
     "\n"
     "example: quarn getdate 80355\n",
     &run});

}  // namespace
}  // namespace quarn::cli
