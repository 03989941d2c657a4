// Output shared by the name and address commands: one line per field, then the return
// code with its meaning, which also decides the exit status.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "cli.hpp"

namespace quarn::cli {

struct CodeMeaning {
  std::string_view code;
  std::string_view meaning;
};

// Prints "LABEL [TEXT]": the field without its trailing spaces, in brackets so that
// leading spaces and the "/" end marker show.
inline void print_field(std::string_view label, std::span<const char> field) {
  std::printf("%-13.*s[%s]\n", static_cast<int>(label.size()), label.data(),
              printable(trimmed(field)).c_str());
}

// Prints the return code and its meaning; "00" exits with success, any other code is a
// failure of the command.
inline int finish(std::string_view command, std::span<const char> code,
                  std::span<const CodeMeaning> meanings) {
  const std::string_view text(code.data(), code.size());
  std::string_view meaning = "unknown return code";
  for (const CodeMeaning& m : meanings) {
    if (m.code == text) meaning = m.meaning;
  }
  std::printf("return code  %s (%.*s)\n", printable(code).c_str(), static_cast<int>(meaning.size()),
              meaning.data());
  if (text == "00") return kOk;
  std::fflush(stdout);
  return failure(command, "return code " + printable(code) + ": " + std::string(meaning));
}

// The return codes of GETSTATE, which GETCSZ passes on.
inline constexpr CodeMeaning kGetstateCodes[] = {
    {"00", "found"},
    {"70", "the request is neither 01 nor 02"},
    {"71", "no state matches"},
    {"72", "the state number is zero or not three digits"},
    {"73", "the postal code does not fit the country"},
    {"74", "the country is not US, CA, BM, SG or blank"},
};

}  // namespace quarn::cli
