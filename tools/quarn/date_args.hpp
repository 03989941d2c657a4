// What the date commands share: dates given on the command line and the check record shown.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "quarn/quarn-m.h"

namespace quarn::cli {

// "M/D/YYYY" (one or two digits for month and day, one to four for the year) or "MMDDYYYY"
// as the eight display digits MMDDYYYY; false when the text is neither.
bool parse_date(std::string_view text, std::span<char, 8> digits);

// A display number's value as text, or its bytes in brackets when it holds no number.
std::string display_value(std::span<const char> field, bool is_signed);

// The check record's date, result and switches as one line.
std::string describe_check(const QuarnDatechkRecord& check);

// What --switches of the date commands means.
inline constexpr std::string_view kSwitchesHelp =
    "the three switches: A zero month, B zero day (N = a value below 1\n"
    "is invalid, any other character accepts it), C year (N = 1801-2099,\n"
    "Y = also year 0, any other character = unchecked)";

}  // namespace quarn::cli
