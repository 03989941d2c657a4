// quarn call NAME --param ...: calls any program by name with records given on the line.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "call_table.hpp"
#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A record from its argument: "hex:4142..." gives exact bytes, "file:PATH" the bytes of a
// file, anything else is text ("text:" may be written to keep a text that starts with
// "hex:" or "file:"); text and a shorter file are padded with spaces. Returns the exit
// status of a failure (kUsage, kCannotRun) with `error` set, or kOk.
int parse_record(std::string_view arg, std::size_t length, std::vector<char>& record,
                 std::string& error) {
  record.assign(length, ' ');
  if (arg.starts_with("hex:")) {
    const std::string_view hex = arg.substr(4);
    for (std::size_t i = 0; i < hex.size(); ++i) {
      if (hex_value(hex[i]) < 0) {
        error = "hex: holds " + quoted(hex.substr(i, 1)) + " at digit " + std::to_string(i + 1) +
                ", which is not a hex digit";
        return kUsage;
      }
    }
    if (hex.size() != 2 * length) {
      error = "hex: takes two hex digits per byte, " + std::to_string(2 * length) + " for the " +
              std::to_string(length) + "-byte record; " + std::to_string(hex.size()) + " given";
      return kUsage;
    }
    for (std::size_t i = 0; i < length; ++i)
      record[i] = static_cast<char>(hex_value(hex[2 * i]) << 4 | hex_value(hex[2 * i + 1]));
    return kOk;
  }
  if (arg.starts_with("file:")) {
    const std::string path(arg.substr(5));
    if (const auto why = unreadable(path)) {
      error = "the record file: " + *why;
      return kCannotRun;
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() > length) {
      error = "the record file " + quoted(path) + " has " + std::to_string(bytes.size()) +
              " bytes; the record has " + std::to_string(length);
      return kUsage;
    }
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return kOk;
  }
  const std::string text = to_record(arg.starts_with("text:") ? arg.substr(5) : arg);
  if (text.size() > length) {
    error = "text has " + std::to_string(text.size()) + " characters; the record has " +
            std::to_string(length);
    return kUsage;
  }
  put_field(record, text);
  return kOk;
}

int run(const Parsed& line) {
  const std::string name(line.operand(0));
  std::size_t lengths[kMaxRecords] = {};
  const int count = quarn_program_info(name.c_str(), lengths, kMaxRecords);
  if (count < 0)
    return usage_error("call", "no program is called " + quoted(name) + " (see quarn programs)");
  const std::vector<ParameterKind> kinds = parameter_kinds(name, count);
  int records_taken = 0;
  for (const ParameterKind kind : kinds)
    records_taken += kind == ParameterKind::record ? 1 : 0;

  const std::vector<std::string_view> given = line.values("--param");
  if (static_cast<int>(given.size()) != records_taken) {
    std::string message = name + " takes " + std::to_string(records_taken) + " record(s); " +
                          std::to_string(given.size()) + " given";
    if (records_taken != count) message += " (its caller's form is passed by quarn call itself)";
    return usage_error("call", message);
  }

  std::vector<std::vector<char>> records(count);
  std::vector<void*> pointers;
  for (int i = 0, next = 0; i < count; ++i) {
    if (kinds[i] == ParameterKind::caller_form) {
      pointers.push_back(quarn_runtime_form());
      continue;
    }
    std::string error;
    if (const int status = parse_record(given[next++], lengths[i], records[i], error);
        status != kOk) {
      const std::string message = "record " + std::to_string(i + 1) + ": " + error;
      return status == kUsage ? usage_error("call", message) : cannot_run("call", message);
    }
    pointers.push_back(records[i].data());
  }

  int32_t result = 0;
  quarn_call(name.c_str(), pointers.data(), count, &result);
  std::printf("result: %d\n", result);
  for (int i = 0; i < count; ++i) {
    if (kinds[i] == ParameterKind::caller_form)
      std::printf("record %d: (the caller's form: the form runtime's)\n", i + 1);
    else
      std::printf("record %d: [%s]\n", i + 1, printable(records[i]).c_str());
  }
  return kOk;
}

const Registration registration(
    {.name = "call",
     .summary = "calls any program by name with records given as text, hex or a file",
     .synopsis = "NAME [--param RECORD]...",
     .description =
         "Calls the program NAME (exact name, e.g. START-EXE) with one --param per record, in\n"
         "order, and prints the result value and every record after the call. A RECORD is text,\n"
         "padded with spaces to the record's length; 'hex:' and two hex digits per byte for\n"
         "exactly the record's length; or 'file:PATH', the bytes of a file, padded with spaces\n"
         "('text:' keeps a text that itself begins with 'hex:' or 'file:'). Bytes that are not\n"
         "printable are shown as \\xHH. A caller's form (POP's third parameter) is not given:\n"
         "the form runtime's own is passed. 'quarn programs' lists the names and records.\n"
         "Exits with 0 once the program has run: its answer is in the records printed.\n"
         "\n"
         "example: quarn call IXIOSTAT --param 23\n",
     .options = {{.name = "--param", .value = "RECORD", .help = "a record, once per record"}},
     .operands = {1, 1},
     .expects = "a program name",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
