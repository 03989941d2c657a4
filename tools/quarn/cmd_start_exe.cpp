// quarn start-exe [--wait] CMDLINE: starts a program through START-EXE.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  apply_home(line);
  const std::int16_t wait = line.has("--wait") ? 1 : 0;
  QuarnSeCommandLine command;
  // The command line is bytes for the operating system, as it is given.
  const std::string_view text = line.operand(0);
  if (text.size() > sizeof command.se_command_line)
    return usage_error("start-exe", "a command line has at most 255 characters");
  put_field(command.se_command_line, text);
  const std::int16_t show = 1;
  std::int32_t exit_code = 0;
  std::int32_t started = 0;
  QUARN_START_EXE(&command, &show, &wait, &exit_code, &started);
  if (started == 0) {
    return cannot_run("start-exe", "could not start " + quoted(text) +
                                       ": its program is not on the search path or in "
                                       "quarn-programs.map of the home folder");
  }
  std::printf("started\n");
  if (wait == 0) return kOk;
  std::printf("exit code: %d\n", exit_code);
  return exit_code == 0 ? kOk : kFailure;
}

const Registration registration(
    {.name = "start-exe",
     .summary = "start a program from a command line",
     .synopsis = "[--home DIR] [--wait] CMDLINE",
     .description =
         "Starts the program of CMDLINE (one argument: quote it) as START-EXE does: the\n"
         "line is split into arguments by the suite's rules (double quotes group, \\\" is a\n"
         "quote, \"\" inside quotes is a quote), no shell is involved, and the first word\n"
         "goes through the program map. With --wait, waits for the program and prints its\n"
         "exit code; exits with 1 when that is not 0, with 3 when nothing could be started.\n"
         "\n"
         "example: quarn start-exe --wait 'XCOPY \"data\\*.*\" \"backup\"'\n",
     .options = {{.name = "--wait", .help = "wait for the program to end"}, kHomeOption},
     .operands = {1, 1},
     .expects = "one command line (quote it)",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
