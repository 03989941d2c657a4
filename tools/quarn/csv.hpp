// CSV as RFC 4180 writes it: fields separated by commas, records by CR LF or LF; a field in
// double quotes may hold commas, line ends and quotes (doubled).
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace quarn::cli {

class CsvReader {
 public:
  explicit CsvReader(std::istream& in) : in_(in) {}

  // The next record's fields; false at the end or on an error (error() says which).
  bool next(std::vector<std::string>& fields);
  // The line the last record began on (1 for the first).
  int line() const { return record_line_; }
  const std::optional<std::string>& error() const { return error_; }

 private:
  std::istream& in_;
  int line_ = 1;
  int record_line_ = 0;
  std::optional<std::string> error_;
};

}  // namespace quarn::cli
