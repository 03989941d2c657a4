// quarn: calls the QUARN-M programs from the shell. The command table, the option parser
// every command goes through (see cli.hpp) and the help texts made from the table.
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

std::optional<std::string> check_encoding(std::string_view value) {
  if (value == "cp1252" || value == "raw") return std::nullopt;
  return "takes cp1252 or raw, not " + quoted(value);
}

constexpr Option kEncodingOption{.name = "--encoding",
                                 .value = "ENC",
                                 .help =
                                     "cp1252: text goes between the terminal's UTF-8 and the\n"
                                     "records' code page 1252; raw: bytes are taken as they are",
                                 .fallback = "cp1252",
                                 .check = check_encoding};
constexpr Option kHelpOption{.name = "--help", .help = "this text (also -h)"};

constexpr std::string_view kExitStatuses =
    "exit status: 0 the program answered success; 1 it answered a failure code (any code\n"
    "but its success value); 2 the command line is wrong; 3 a program could not be started\n"
    "or a file or folder could not be opened.\n";

void print_general_help(std::FILE* out) {
  std::fprintf(out,
               "usage: quarn COMMAND [OPTIONS] [ARGS...]\n"
               "       quarn help COMMAND      (the same as quarn COMMAND --help)\n"
               "\n"
               "Calls the programs of libquarn-m from the shell. Every command takes --help,\n"
               "--opt VALUE or --opt=VALUE, and -- before operands that begin with '-'.\n"
               "Text is converted between UTF-8 and the records' code page 1252 (--encoding\n"
               "raw takes bytes as they are). 'quarn --version' prints the library's version.\n"
               "\n"
               "commands:\n");
  for (const auto& [name, command] : commands()) {
    std::fprintf(out, "  %-18.*s %.*s\n", static_cast<int>(name.size()), name.data(),
                 static_cast<int>(command.summary.size()), command.summary.data());
  }
  std::fprintf(out, "\n%.*s", static_cast<int>(kExitStatuses.size()), kExitStatuses.data());
}

// "usage: quarn NAME SYNOPSIS", one line per usage.
std::string usage_lines(const Command& command) {
  std::string out;
  std::string_view rest = command.synopsis;
  bool first = true;
  do {
    const std::size_t end = rest.find('\n');
    out += first ? "usage: quarn " : "       quarn ";
    out += command.name;
    const std::string_view line = rest.substr(0, end);
    if (!line.empty()) out += " " + std::string(line);
    out += '\n';
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    first = false;
  } while (!rest.empty());
  return out;
}

void print_option(std::string& out, const Option& option) {
  std::string head = "  " + std::string(option.name);
  if (!option.value.empty()) head += " " + std::string(option.value);
  std::string help(option.help);
  if (!option.fallback.empty()) help += " (default: " + std::string(option.fallback) + ")";
  const std::size_t column = 22;
  if (head.size() + 1 >= column) {
    out += head + "\n";
    head.clear();
  }
  head.resize(column, ' ');
  for (std::size_t at = 0;;) {
    const std::size_t end = help.find('\n', at);
    out += head + help.substr(at, end - at) + "\n";
    if (end == std::string::npos) break;
    head.assign(column, ' ');
    at = end + 1;
  }
}

std::string help_text(const Command& command) {
  std::string out = usage_lines(command) + "\n" + std::string(command.description);
  out += "\noptions:\n";
  for (const Option& option : command.options)
    print_option(out, option);
  print_option(out, kEncodingOption);
  print_option(out, kHelpOption);
  out += "\n" + std::string(kExitStatuses);
  return out;
}

const Option* find_option(const Command& command, std::string_view name) {
  for (const Option& option : command.options)
    if (option.name == name) return &option;
  if (name == kEncodingOption.name) return &kEncodingOption;
  return nullptr;
}

bool is_option_word(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  const char next = arg[1];
  return !(next == '.' || (next >= '0' && next <= '9'));
}

enum class Outcome { run, help, usage };

// Parses the arguments after the command's name into `line`; on a usage error prints it.
Outcome parse(const Command& command, int argc, char** argv, Parsed& line) {
  bool options_done = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options_done || !is_option_word(arg)) {
      line.add_operand(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") return Outcome::help;
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const Option* option = find_option(command, name);
    if (option == nullptr) {
      usage_error(command.name, "unknown option " + quoted(name));
      return Outcome::usage;
    }
    std::string_view value;
    if (option->value.empty()) {
      if (equals != std::string_view::npos) {
        usage_error(command.name, std::string(name) + " takes no value");
        return Outcome::usage;
      }
    } else if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      usage_error(command.name,
                  std::string(name) + " needs a value (" + std::string(option->value) + ")");
      return Outcome::usage;
    }
    if (option->check != nullptr) {
      if (const auto why = option->check(value)) {
        usage_error(command.name, std::string(name) + " " + *why);
        return Outcome::usage;
      }
    }
    line.set(name, value);
  }
  const std::size_t count = line.count();
  if (count < command.operands.min || count > command.operands.max) {
    std::string message;
    if (command.operands.max == 0)
      message = "takes no operands, but " + quoted(line.operand(0)) + " was given";
    else if (!command.expects.empty())
      message = "expects " + std::string(command.expects) + " (" + std::to_string(count) +
                " operand(s) given)";
    else if (count > command.operands.max)
      message = "too many operands: " + quoted(line.operand(command.operands.max)) + " and after";
    else
      message = "operands missing";
    usage_error(command.name, message);
    return Outcome::usage;
  }
  return Outcome::run;
}

int run_command(const Command& command, int argc, char** argv) {
  Parsed line(command);
  switch (parse(command, argc, argv, line)) {
    case Outcome::usage:
      return kUsage;
    case Outcome::help:
      std::fputs(help_text(command).c_str(), stdout);
      return kOk;
    case Outcome::run:
      break;
  }
  set_encoding(line.value("--encoding") == "raw" ? Encoding::raw : Encoding::cp1252);
  try {
    return command.run(line);
  } catch (const UsageError& error) {
    return usage_error(command.name, error.message);
  }
}

// quarn help [COMMAND]: the help of the tool or of a command.
int run_help(const Parsed& line) {
  if (line.count() == 0) {
    print_general_help(stdout);
    return kOk;
  }
  const auto it = commands().find(line.operand(0));
  if (it == commands().end())
    return usage_error("help", "no command is called " + quoted(line.operand(0)));
  std::fputs(help_text(it->second).c_str(), stdout);
  return kOk;
}

const Registration help_registration(
    {.name = "help",
     .summary = "the help of a command (quarn help CMD is quarn CMD --help)",
     .synopsis = "[COMMAND]",
     .description = "Prints the help of COMMAND, or without one the list of commands.\n",
     .operands = {0, 1},
     .run = &run_help});

// quarn completions [COMMAND]: the words bash completion offers.
int run_completions(const Parsed& line) {
  if (line.count() == 0) {
    for (const auto& [name, command] : commands())
      std::printf("%.*s\n", static_cast<int>(name.size()), name.data());
    return kOk;
  }
  const auto it = commands().find(line.operand(0));
  if (it == commands().end())
    return usage_error("completions", "no command is called " + quoted(line.operand(0)));
  for (const Option& option : it->second.options)
    std::printf("%.*s\n", static_cast<int>(option.name.size()), option.name.data());
  std::printf("--encoding\n--help\n");
  return kOk;
}

const Registration completions_registration(
    {.name = "completions",
     .summary = "the commands, or a command's options, one a line (for shell completion)",
     .synopsis = "[COMMAND]",
     .description = "Prints the names of the commands, or the options COMMAND takes, one a\n"
                    "line. The bash completion installed with the tool asks this.\n",
     .operands = {0, 1},
     .run = &run_completions});

}  // namespace

Registration::Registration(Command command) {
  const std::string_view name = command.name;
  commands().insert_or_assign(name, std::move(command));
}

bool Parsed::has(std::string_view option) const {
  return std::any_of(given_.begin(), given_.end(),
                     [&](const auto& given) { return given.first == option; });
}

std::string_view Parsed::value(std::string_view option) const {
  for (auto it = given_.rbegin(); it != given_.rend(); ++it)
    if (it->first == option) return it->second;
  const Option* known = find_option(command_, option);
  return known != nullptr ? known->fallback : std::string_view();
}

std::vector<std::string_view> Parsed::values(std::string_view option) const {
  std::vector<std::string_view> all;
  for (const auto& [name, value] : given_)
    if (name == option) all.push_back(value);
  return all;
}

void Parsed::set(std::string_view option, std::string_view value) {
  given_.emplace_back(option, value);
}

int complain(std::string_view command, std::string_view message, int status) {
  std::fprintf(stderr, "quarn %.*s: %.*s\n", static_cast<int>(command.size()), command.data(),
               static_cast<int>(message.size()), message.data());
  return status;
}

int usage_error(std::string_view command, std::string_view message) {
  complain(command, message, kUsage);
  const auto it = commands().find(command);
  if (it != commands().end()) std::fputs(usage_lines(it->second).c_str(), stderr);
  std::fprintf(stderr, "(see 'quarn %.*s --help')\n", static_cast<int>(command.size()),
               command.data());
  return kUsage;
}

int failure(std::string_view command, std::string_view message) {
  return complain(command, message, kFailure);
}

int cannot_run(std::string_view command, std::string_view message) {
  return complain(command, message, kCannotRun);
}

int note(std::string_view command, std::string_view message) {
  return complain(command, message, kOk);
}

}  // namespace quarn::cli

int main(int argc, char** argv) {
  using namespace quarn::cli;
  if (argc < 2) {
    print_general_help(stderr);
    return kUsage;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h") {
    print_general_help(stdout);
    return kOk;
  }
  if (name == "--version") {
    std::printf("quarn %s\n", quarn_version());
    return kOk;
  }
  const auto it = commands().find(name);
  if (it == commands().end()) {
    std::fprintf(stderr, "quarn: unknown command %s (see 'quarn --help')\n", quoted(name).c_str());
    return kUsage;
  }
  return run_command(it->second, argc - 2, argv + 2);
}
