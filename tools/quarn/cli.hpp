// The quarn command's subcommands, the one option parser they all go through, and the
// helpers they share.
//
// Adding a command: one file tools/quarn/cmd_NAME.cpp (the build picks it up) with a
// `run` function and one `const Registration`:
//
//   int run(const Parsed& line) {
//     FrobRecord record;
//     // UTF-8 in, code page 1252 out; throws a usage error when it does not fit the field
//     put_field(record.fr_text, record_text(line.operand(0), record.fr_text));
//     const std::string_view width = line.value("--width");  // given, or its default
//     if (line.has("--loud")) ...
//     QUARN_FROB(&record);
//     std::printf("%s\n", to_terminal(trimmed(record.fr_text)).c_str());
//     return code == "00" ? kOk : failure("frob", "FROB answered " + code + ": ...");
//   }
//
//   const Registration registration({
//       .name = "frob",
//       .summary = "one line for 'quarn --help'",
//       .synopsis = "TEXT [--loud] [--width N]",     // one usage line per '\n'
//       .description = "What the command does, its output and its exit statuses.\n",
//       .options = {{.name = "--loud", .help = "shout"},
//                   {.name = "--width", .value = "N", .help = "the width",
//                    .fallback = "10", .check = digits<1, 3>}},
//       .operands = {1, 1},                          // at least 1, at most 1 operand
//       .expects = "one text",                       // said when the count is wrong
//       .run = &run});
//
// The parser (main.cpp) does the rest the same way for every command: "--opt value" and
// "--opt=value", "--" ends the options, -h/--help anywhere before it prints the help text
// (made from the fields above, defaults shown), "quarn help NAME" is "quarn NAME --help",
// --encoding (text conversion, below) is taken by every command, and an unknown option, a
// missing or bad value or a wrong number of operands ends with the command's usage and
// exit status 2 before `run` is called. A "-" followed by a digit or "." is an operand
// (a negative number); any other word starting with "-" is an option.
//
// Exit statuses, one rule for every command: kOk (0) the program answered success,
// kFailure (1) it answered a failure code (anything but its success value), kUsage (2)
// the command line is wrong, kCannotRun (3) a program could not be started or a file or
// folder could not be opened.
//
// Text: the terminal speaks UTF-8 (this platform's encoding; every locale is taken as
// UTF-8); records hold 8-bit text in code page 1252. Every text that enters a record goes through to_record() and every record
// text that is printed through to_terminal() or printable(); paths stay bytes. With
// "--encoding raw" both take bytes as they are.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::cli {

// Exit statuses.
inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
inline constexpr int kCannotRun = 3;

// Checks an option's value: nullopt when it is good, else what is wrong with it.
using Check = std::optional<std::string> (*)(std::string_view value);

struct Option {
  std::string_view name = {};      // "--pivot"
  std::string_view value = {};     // the value's name in help ("YY"); empty for a flag
  std::string_view help = {};      // one line (or more, separated by '\n')
  std::string_view fallback = {};  // the default value, shown in help and given by value()
  Check check = nullptr;           // run on the value before the command sees it
};

struct Operands {
  std::size_t min = 0;
  std::size_t max = 0;
};
inline constexpr std::size_t kMany = std::numeric_limits<std::size_t>::max();

class Parsed;

struct Command {
  std::string_view name = {};
  std::string_view summary = {};      // one line, for `quarn --help`
  std::string_view synopsis = {};     // after "usage: quarn NAME "; one usage per line
  std::string_view description = {};  // the body of --help, before the options
  std::vector<Option> options = {};
  Operands operands = {};
  std::string_view expects = {};  // the operands in words, for a wrong count ("one text")
  int (*run)(const Parsed& line) = nullptr;
};

// Registers a subcommand; each subcommand's file holds one `const Registration`.
struct Registration {
  explicit Registration(Command command);
};

// A command line after parsing: its operands and the options given.
class Parsed {
 public:
  explicit Parsed(const Command& command) : command_(command) {}
  const Command& command() const { return command_; }
  std::string_view name() const { return command_.name; }
  const std::vector<std::string_view>& operands() const { return operands_; }
  std::string_view operand(std::size_t i) const { return operands_.at(i); }
  std::size_t count() const { return operands_.size(); }
  // Whether the option was given on the line.
  bool has(std::string_view option) const;
  // The option's value as given, else its default ("" for none).
  std::string_view value(std::string_view option) const;
  // Every value of an option that may be given more than once, in order.
  std::vector<std::string_view> values(std::string_view option) const;

  void add_operand(std::string_view operand) { operands_.push_back(operand); }
  void set(std::string_view option, std::string_view value);

 private:
  const Command& command_;
  std::vector<std::string_view> operands_;
  std::vector<std::pair<std::string_view, std::string_view>> given_;
};

// A usage error found deep in a command (a character with no code page 1252 form);
// main() reports it as usage_error() does.
struct UsageError {
  std::string message;
};

// Prints "quarn NAME: MESSAGE", the command's usage and a pointer to --help on standard
// error; returns kUsage.
int usage_error(std::string_view command, std::string_view message);
// Prints "quarn NAME: MESSAGE" on standard error; returns kFailure.
int failure(std::string_view command, std::string_view message);
// The same, for what could not be started or opened; returns kCannotRun.
int cannot_run(std::string_view command, std::string_view message);
// The same with a status of one's own choice.
int complain(std::string_view command, std::string_view message, int status);
// Prints "quarn NAME: MESSAGE" on standard error as information; returns kOk.
int note(std::string_view command, std::string_view message);

// Text conversion at the boundary (see the top of this file).
enum class Encoding { cp1252, raw };
Encoding encoding();
void set_encoding(Encoding encoding);
// Terminal text as record bytes; throws UsageError for a character with no code page
// 1252 form or bytes that are not UTF-8.
std::string to_record(std::string_view text);
// to_record() for a field: throws UsageError when the text does not fit `field`
// ("WHAT has N characters; at most M fit").
std::string record_text(std::string_view text, std::span<const char> field,
                        std::string_view what = "the text");
// Record bytes as terminal text (control bytes are left as they are).
std::string to_terminal(std::string_view bytes);
// A record's bytes for the terminal: printable characters as they are, others as \xHH.
std::string printable(std::span<const char> bytes);
// Copies `bytes` into a fixed field, padded with spaces.
void put_field(std::span<char> field, std::string_view bytes);
// A field without its trailing spaces.
std::string_view trimmed(std::span<const char> field);
// The text in single quotes, as a shell reads it back (a quote in it becomes '\'').
std::string quoted(std::string_view text);

// Why a file cannot be opened for reading ("cannot open 'F': No such file or directory"),
// or nullopt when it can.
std::optional<std::string> unreadable(const std::string& path);

// Ready-made value checks.
template <std::size_t Min, std::size_t Max>
std::optional<std::string> digits(std::string_view value) {
  const bool ok = value.size() >= Min && value.size() <= Max &&
                  value.find_first_not_of("0123456789") == std::string_view::npos;
  if (ok) return std::nullopt;
  if (Min == Max) return "takes " + std::to_string(Min) + " digit(s), not " + quoted(value);
  return "takes " + std::to_string(Min) + (Max == Min + 1 ? " or " : " to ") + std::to_string(Max) +
         " digits, not " + quoted(value);
}
template <std::size_t Min, std::size_t Max>
std::optional<std::string> characters(std::string_view value) {
  if (value.size() >= Min && value.size() <= Max) return std::nullopt;
  if (Min == Max) return "takes " + std::to_string(Min) + " character(s), not " + quoted(value);
  return "takes " + std::to_string(Min) + (Max == Min + 1 ? " or " : " to ") + std::to_string(Max) +
         " characters, not " + quoted(value);
}

}  // namespace quarn::cli
