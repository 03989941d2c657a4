// Starting programs: a command line written the way the suite writes it (one string, split
// by the program itself) is split into arguments here and the program is started directly,
// never through a shell, in a process group of its own.
#pragma once

#include <spawn.h>
#include <sys/types.h>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::platform::process {

// Splits a command line into arguments by the rules of the common C runtime of the suite's
// original platform:
//  - arguments are separated by spaces and tabs;
//  - the first argument is a program path: a double quote only starts or ends a quoted
//    part, backslashes are plain characters;
//  - in later arguments "..." groups spaces into one argument, "" inside a quoted part is
//    one literal quote, 2n backslashes before a quote give n backslashes and a quote that
//    groups, 2n+1 give n backslashes and a literal quote, and backslashes before anything
//    else are plain characters; an unterminated quote runs to the end of the line.
// A line of nothing but spaces and tabs has no arguments.
std::vector<std::string> split_command_line(std::string_view line);

// A program path written as the first word of a command line, so that split_command_line
// gives it back whole: in double quotes when it holds a space or a tab. The first word
// cannot hold a literal quote, so a path with one has no such form: empty then.
std::string quoted_program(std::string_view path);
// An argument written for a command line, so that split_command_line gives it back as one
// argument, unchanged: in double quotes (with backslashes before a quote doubled and the
// quote escaped) when it holds a space, a tab or a quote, is empty, or `always` asks so.
std::string quoted_argument(std::string_view argument, bool always = false);

// What starting or waiting came to. errno is mapped to one of these in exactly one function.
enum class Status {
  kOk,
  kNotFound,  // no such program
  kDenied,    // not executable, no permission
  kNoArguments,
  kFailed,  // any other error
};

// The system calls of this layer, replaceable so that tests can inject failures. They
// return what the POSIX calls return; EINTR is retried by the layer.
struct Syscalls {
  int (*spawnp)(pid_t* pid, const char* file, const posix_spawn_file_actions_t* actions,
                const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]);
  pid_t (*waitpid)(pid_t pid, int* status, int options);
};
Syscalls& syscalls();
void reset_syscalls();

// Starts `argv[0]` (searched on PATH when it holds no "/") with the arguments, the caller's
// environment and current folder, in a new process group, with default signal handling and
// an empty signal mask. Standard input, output and error are shared with the caller.
// Children that were started and not waited for are reaped here, at later calls, once they
// have ended.
Status start(const std::vector<std::string>& argv, pid_t* pid);

// Waits until the process ends and gives its exit code (128 + the signal number when a
// signal ended it).
Status wait_for(pid_t pid, int* exit_code);

// Started processes not yet reaped (for tests).
std::size_t pending_children();

}  // namespace quarn::platform::process
