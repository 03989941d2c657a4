// Helpers for the name and address tests: records filled with leftovers, fields as strings.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

// A record whose every byte is `fill`, so that a field the program forgets to write shows.
template <typename Record>
Record leftover_record(char fill = '#') {
  Record record;
  std::memset(&record, fill, sizeof record);
  return record;
}

// Copies `text` into a field, padded with spaces.
template <std::size_t N>
void set(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), text.size() < N ? text.size() : N);
}

// The whole field.
template <std::size_t N>
std::string field(const char (&f)[N]) {
  return {f, N};
}

// `text` padded with spaces to `width`.
inline std::string padded(std::string_view text, std::size_t width) {
  std::string s(text);
  s.resize(width, ' ');
  return s;
}
