#include "platform/process.hpp"

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>

extern char** environ;

namespace quarn::platform::process {
namespace {

constexpr Syscalls kDefaults{&::posix_spawnp, &::waitpid};
Syscalls table = kDefaults;

// Children started without a wait, reaped once they have ended.
std::vector<pid_t> unwaited;

// The one place where an error number becomes a status.
Status from_errno(int error) {
  switch (error) {
    case 0:
      return Status::kOk;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return Status::kNotFound;
    case EACCES:
    case EPERM:
    case ENOEXEC:
      return Status::kDenied;
    default:
      return Status::kFailed;
  }
}

// waitpid, retried while it is interrupted; the answer and errno as waitpid leaves them.
pid_t wait_retried(pid_t pid, int* status, int options) {
  for (;;) {
    const pid_t answer = table.waitpid(pid, status, options);
    if (answer != -1 || errno != EINTR) return answer;
  }
}

void reap_ended() {
  std::erase_if(unwaited, [](pid_t pid) {
    int status = 0;
    // Ended (reaped now) or no longer ours to wait for (ECHILD): forget it either way.
    return wait_retried(pid, &status, WNOHANG) != 0;
  });
}

}  // namespace

Syscalls& syscalls() {
  return table;
}
void reset_syscalls() {
  table = kDefaults;
}

std::vector<std::string> split_command_line(std::string_view line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  const auto blank = [&](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
  const auto skip_blanks = [&] {
    while (i < line.size() && blank(i))
      ++i;
  };

  skip_blanks();
  if (i == line.size()) return args;

  // The program path: quotes group, nothing is escaped.
  std::string program;
  bool quoted = false;
  for (; i < line.size() && (quoted || !blank(i)); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else {
      program += line[i];
    }
  }
  args.push_back(std::move(program));

  for (;;) {
    skip_blanks();
    if (i == line.size()) break;
    std::string arg;
    quoted = false;
    while (i < line.size() && (quoted || !blank(i))) {
      if (line[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < line.size() && line[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < line.size() && line[i] == '"') {
          arg.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(backslashes, '\\');
        }
      } else if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';  // "" inside a quoted part
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

std::string quoted_program(std::string_view path) {
  if (path.find('"') != std::string_view::npos) return {};
  if (!path.empty() && path.find_first_of(" \t") == std::string_view::npos)
    return std::string(path);
  return "\"" + std::string(path) + "\"";
}

std::string quoted_argument(std::string_view argument, bool always) {
  if (!always && !argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
    return std::string(argument);
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled, and the quote
    // itself escaped.
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  // Before the closing quote, too.
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

Status start(const std::vector<std::string>& argv, pid_t* pid) {
  reap_ended();
  if (argv.empty() || argv[0].empty()) return Status::kNoArguments;

  std::vector<char*> pointers;
  pointers.reserve(argv.size() + 1);
  for (const std::string& arg : argv)
    pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  int error;
  do {
    error = table.spawnp(pid, pointers[0], nullptr, &attributes, pointers.data(), environ);
  } while (error == EINTR);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return from_errno(error);

  // An exec failure that this C library cannot report synchronously shows as a child that
  // ends at once with 127; it is taken as started, as the child did exist.
  unwaited.push_back(*pid);
  return Status::kOk;
}

Status wait_for(pid_t pid, int* exit_code) {
  *exit_code = 0;
  int status = 0;
  const pid_t answer = wait_retried(pid, &status, 0);
  std::erase(unwaited, pid);
  if (answer == -1) return from_errno(errno);
  if (WIFEXITED(status)) {
    *exit_code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    *exit_code = 128 + WTERMSIG(status);
  }
  return Status::kOk;
}

std::size_t pending_children() {
  return unwaited.size();
}

}  // namespace quarn::platform::process
