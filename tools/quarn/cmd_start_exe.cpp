// quarn start-exe [--wait] CMDLINE: starts a program through START-EXE.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& given) {
  Args args = given;
  std::string error;
  if (!take_home_option(args, error)) return usage_error("start-exe", error);
  std::int16_t wait = 0;
  if (!args.empty() && args[0] == "--wait") {
    wait = 1;
    args.erase(args.begin());
  }
  if (args.size() != 1) return usage_error("start-exe", "expects one command line (quote it)");
  QuarnSeCommandLine line;
  if (args[0].size() > sizeof line.se_command_line)
    return usage_error("start-exe", "a command line has at most 255 characters");
  put_field(line.se_command_line, args[0]);
  const std::int16_t show = 1;
  std::int32_t exit_code = 0;
  std::int32_t started = 0;
  QUARN_START_EXE(&line, &show, &wait, &exit_code, &started);
  if (started == 0) return failure("start-exe", "could not start '" + std::string(args[0]) + "'");
  std::printf("started\n");
  if (wait != 0) std::printf("exit code: %d\n", exit_code);
  return kOk;
}

const Registration registration(
    {"start-exe", "start a program from a command line",
     "usage: quarn start-exe [--home DIR] [--wait] CMDLINE\n"
     "\n"
     "Starts the program of CMDLINE (one argument: quote it) as START-EXE does: the\n"
     "line is split into arguments by the suite's rules (double quotes group, \\\" is a\n"
     "quote, \"\" inside quotes is a quote), no shell is involved, and the first word\n"
     "goes through the program map. With --wait, waits for the program and prints its\n"
     "exit code. Exits with 1 when nothing could be started.\n"
     "\n"
     "  --wait       wait for the program to end\n"
     "  --home DIR   the suite's home folder (where quarn-programs.map is read)\n"
     "\n"
     "example: quarn start-exe --wait 'XCOPY \"data\\*.*\" \"backup\"'\n",
     &run});

}  // namespace
}  // namespace quarn::cli
