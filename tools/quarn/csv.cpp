#include "csv.hpp"

namespace quarn::cli {

bool CsvReader::next(std::vector<std::string>& fields) {
  fields.clear();
  if (error_ || in_.peek() == std::char_traits<char>::eof()) return false;
  record_line_ = line_;
  std::string field;
  bool quoted = false;      // inside a quoted field
  bool was_quoted = false;  // the field began with a quote (and has closed)
  for (;;) {
    const int got = in_.get();
    if (got == std::char_traits<char>::eof()) {
      if (quoted) {
        error_ = "line " + std::to_string(record_line_) + ": a quoted field has no closing quote";
        return false;
      }
      fields.push_back(std::move(field));
      return true;
    }
    const char c = static_cast<char>(got);
    if (quoted) {
      if (c == '"') {
        if (in_.peek() == '"') {
          in_.get();
          field += '"';
        } else {
          quoted = false;
          was_quoted = true;
        }
      } else {
        if (c == '\n') ++line_;
        field += c;
      }
      continue;
    }
    if (c == '\r' && in_.peek() == '\n') continue;
    if (c == ',' || c == '\n') {
      fields.push_back(std::move(field));
      field.clear();
      was_quoted = false;
      if (c == '\n') {
        ++line_;
        return true;
      }
      continue;
    }
    if (was_quoted) {
      error_ = "line " + std::to_string(line_) + ": text after the closing quote of a field";
      return false;
    }
    if (c == '"' && field.empty()) {
      quoted = true;
      continue;
    }
    field += c;
  }
}

}  // namespace quarn::cli
