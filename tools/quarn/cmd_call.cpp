// quarn call NAME --param ...: calls any program by name with records given on the line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr int kMaxRecords = 8;

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A record from its argument: "hex:4142..." gives exact bytes, anything else is text
// ("text:" may be written to keep a text that starts with "hex:"), padded with spaces.
bool parse_record(std::string_view arg, std::size_t length, std::vector<char>& record,
                  std::string& error) {
  record.assign(length, ' ');
  if (arg.starts_with("hex:")) {
    const std::string_view hex = arg.substr(4);
    if (hex.size() % 2 != 0) {
      error = "hex record has an odd number of digits";
      return false;
    }
    if (hex.size() / 2 != length) {
      error = "hex record has " + std::to_string(hex.size() / 2) + " bytes; the record has " +
              std::to_string(length);
      return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
      const int hi = hex_value(hex[2 * i]);
      const int lo = hex_value(hex[2 * i + 1]);
      if (hi < 0 || lo < 0) {
        error = "hex record holds a character that is not a hex digit";
        return false;
      }
      record[i] = static_cast<char>(hi << 4 | lo);
    }
    return true;
  }
  const std::string_view text = arg.starts_with("text:") ? arg.substr(5) : arg;
  if (text.size() > length) {
    error = "text has " + std::to_string(text.size()) + " characters; the record has " +
            std::to_string(length);
    return false;
  }
  put_field(record, text);
  return true;
}

int run(const Args& args) {
  if (args.empty()) return usage_error("call", "expects a program name");
  const std::string name(args[0]);
  size_t lengths[kMaxRecords] = {};
  const int count = quarn_program_info(name.c_str(), lengths, kMaxRecords);
  if (count < 0) return failure("call", "no program is called '" + name + "'");

  std::vector<std::string_view> given;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--param")
      return usage_error("call", "unexpected '" + std::string(args[i]) + "'");
    if (i + 1 >= args.size()) return usage_error("call", "--param needs a value");
    given.push_back(args[++i]);
  }
  if (static_cast<int>(given.size()) != count) {
    return failure("call", name + " takes " + std::to_string(count) + " record(s); " +
                               std::to_string(given.size()) + " given");
  }

  std::vector<std::vector<char>> records(count);
  std::vector<void*> pointers;
  for (int i = 0; i < count; ++i) {
    std::string error;
    if (!parse_record(given[i], lengths[i], records[i], error)) {
      return failure("call", "record " + std::to_string(i + 1) + ": " + error);
    }
    pointers.push_back(records[i].data());
  }

  int32_t result = 0;
  quarn_call(name.c_str(), pointers.data(), count, &result);
  std::printf("result: %d\n", result);
  for (int i = 0; i < count; ++i) {
    std::printf("record %d: [%s]\n", i + 1, printable(records[i]).c_str());
  }
  return kOk;
}

const Registration registration(
    {"call", "calls any program by name with records given as text or hex",
     "usage: quarn call NAME [--param RECORD]...\n"
     "\n"
     "Calls the program NAME (exact name, e.g. START-EXE) with one --param per record, in\n"
     "order, and prints the result value and every record after the call. A RECORD is text,\n"
     "padded with spaces to the record's length, or 'hex:' and two hex digits per byte for\n"
     "exactly the record's length ('text:' keeps a text that itself begins with 'hex:').\n"
     "Bytes that are not printable are shown as \\xHH. 'quarn programs' lists the names and\n"
     "record lengths.\n"
     "\n"
     "example: quarn call IXIOSTAT --param 23\n",
     &run});

}  // namespace
}  // namespace quarn::cli
