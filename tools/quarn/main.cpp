// quarn: calls the QUARN-M programs from the shell.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {

namespace {
std::map<std::string_view, Command>& commands() {
  static std::map<std::string_view, Command> all;
  return all;
}

void print_help() {
  std::printf(
      "usage: quarn COMMAND [ARGS...]\n"
      "\n"
      "Calls the programs of libquarn-m from the shell. Every command takes --help;\n"
      "'quarn --version' prints the library's version.\n"
      "\n"
      "commands:\n");
  for (const auto& [name, command] : commands()) {
    std::printf("  %-18.*s %.*s\n", static_cast<int>(name.size()), name.data(),
                static_cast<int>(command.summary.size()), command.summary.data());
  }
}
}  // namespace

Registration::Registration(const Command& command) {
  commands()[command.name] = command;
}

int usage_error(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "quarn %.*s: %.*s\n(see 'quarn %.*s --help')\n",
               static_cast<int>(command.size()), command.data(), static_cast<int>(message.size()),
               message.data(), static_cast<int>(command.size()), command.data());
  return kUsage;
}

int failure(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "quarn %.*s: %.*s\n", static_cast<int>(command.size()), command.data(),
               static_cast<int>(message.size()), message.data());
  return kFailure;
}

bool wants_help(const Args& args) {
  return std::any_of(args.begin(), args.end(),
                     [](std::string_view a) { return a == "--help" || a == "-h"; });
}

std::string printable(std::span<const char> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}

void put_field(std::span<char> field, std::string_view text) {
  const std::size_t n = std::min(field.size(), text.size());
  std::copy_n(text.begin(), n, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
}

std::string_view trimmed(std::span<const char> field) {
  std::size_t n = field.size();
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field.data(), n};
}

}  // namespace quarn::cli

int main(int argc, char** argv) {
  using namespace quarn::cli;
  if (argc < 2 || std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h") {
    print_help();
    return argc < 2 ? kUsage : kOk;
  }
  const std::string_view name = argv[1];
  if (name == "--version") {
    std::printf("quarn %s\n", quarn_version());
    return kOk;
  }
  const auto it = commands().find(name);
  if (it == commands().end()) {
    std::fprintf(stderr, "quarn: unknown command '%s' (see 'quarn --help')\n", argv[1]);
    return kUsage;
  }
  const Args args(argv + 2, argv + argc);
  if (wants_help(args)) {
    std::printf("%.*s", static_cast<int>(it->second.usage.size()), it->second.usage.data());
    return kOk;
  }
  return it->second.run(args);
}
