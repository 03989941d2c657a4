// QUARN-M for C++ callers: the C interface of quarn-m.h plus a few conveniences for filling
// and reading fixed-width fields. Nothing here throws.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quarn/quarn-m.h"

namespace quarn {

// Copies `value` into a text field, padded with spaces (cut when longer than the field).
template <std::size_t N>
void set_text(char (&field)[N], std::string_view value) {
  const std::size_t n = std::min(N, value.size());
  std::copy_n(value.data(), n, field);
  std::fill(field + n, field + N, ' ');
}

// A text field without its trailing spaces.
template <std::size_t N>
std::string_view text(const char (&field)[N]) {
  std::size_t n = N;
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field, n};
}

// Writes a number into a display field (signed when `is_signed`); false when it does not
// fit (see quarn_write_display()).
template <std::size_t N>
bool set_number(char (&field)[N], std::int64_t value, bool is_signed) {
  static_assert(N <= 18, "display fields hold at most 18 digits");
  return quarn_write_display(field, N, is_signed ? 1 : 0, &value) == 0;
}

// The number in a display field, or nullopt when the field does not hold one.
template <std::size_t N>
std::optional<std::int64_t> number(const char (&field)[N], bool is_signed) {
  static_assert(N <= 18, "display fields hold at most 18 digits");
  std::int64_t value = 0;
  if (quarn_read_display(field, N, is_signed ? 1 : 0, &value) != 0) return std::nullopt;
  return value;
}

// Calls a program by name with the given records (each passed by address). Returns the
// program's result, or nullopt when there is no such program or it takes fewer records.
template <typename... Records>
std::optional<std::int32_t> call(const std::string& name, Records&... records) {
  void* params[] = {static_cast<void*>(&records)..., nullptr};
  std::int32_t result = 0;
  if (quarn_call(name.c_str(), params, sizeof...(Records), &result) != 0) return std::nullopt;
  return result;
}

// The suite's message for a file status ("23" -> "=23 - READ/REWRITE: Record Not Found! |").
inline std::string ixiostat(std::string_view status) {
  QuarnIxiostatRecord record;
  set_text(record.ix_status_code, status);
  set_text(record.ix_status_message, "");
  QUARN_IXIOSTAT(&record);
  return std::string(text(record.ix_status_message));
}

}  // namespace quarn
