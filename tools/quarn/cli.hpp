// The quarn command's subcommands and the helpers they share.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::cli {

using Args = std::vector<std::string_view>;

struct Command {
  std::string_view name;
  std::string_view summary;  // one line, for `quarn --help`
  std::string_view usage;    // the subcommand's own --help text
  int (*run)(const Args& args);
};

// Registers a subcommand; each subcommand's file holds one `const Registration`.
struct Registration {
  explicit Registration(const Command& command);
};

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;

// Prints "quarn NAME: MESSAGE" and a pointer to --help on standard error; returns kUsage.
int usage_error(std::string_view command, std::string_view message);
// Prints "quarn NAME: MESSAGE" on standard error; returns kFailure.
int failure(std::string_view command, std::string_view message);
// True when the arguments ask for help.
bool wants_help(const Args& args);

// A record's bytes for the terminal: printable characters as they are, others as \xHH.
std::string printable(std::span<const char> bytes);
// Copies `text` into a fixed field, padded with spaces.
void put_field(std::span<char> field, std::string_view text);
// A field without its trailing spaces.
std::string_view trimmed(std::span<const char> field);

}  // namespace quarn::cli
