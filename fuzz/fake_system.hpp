// Stand-ins for the system calls of the platform layers, so that a fuzz run never starts a
// program or touches a real file: one file whose contents the run supplies, a current
// folder the run supplies, and starts that always fail.
#pragma once

#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/files.hpp"
#include "platform/process.hpp"
#include "platform/sysout.hpp"

namespace fake {

inline std::string file_contents;
inline std::size_t read_at = 0;
inline std::string current_folder;
constexpr int kFd = 1000;

inline void install() {
  using quarn::platform::files::syscalls;
  syscalls().open = [](const char*, int flags, mode_t) {
    read_at = 0;
    if ((flags & O_CREAT) != 0 && file_contents.size() % 2 == 0) {
      errno = EEXIST;
      return -1;
    }
    return kFd;
  };
  syscalls().close = [](int) { return 0; };
  syscalls().read = [](int, void* buffer, std::size_t size) -> ssize_t {
    const std::size_t n = std::min(size, file_contents.size() - read_at);
    std::memcpy(buffer, file_contents.data() + read_at, n);
    read_at += n;
    return static_cast<ssize_t>(n);
  };
  syscalls().pread = [](int, void* buffer, std::size_t size, off_t offset) -> ssize_t {
    const auto at = static_cast<std::size_t>(offset);
    if (at >= file_contents.size()) return 0;
    const std::size_t n = std::min(size, file_contents.size() - at);
    std::memcpy(buffer, file_contents.data() + at, n);
    return static_cast<ssize_t>(n);
  };
  syscalls().unlink = [](const char*) { return 0; };
  syscalls().mkdir = [](const char*, mode_t) {
    errno = EACCES;
    return -1;
  };
  // As getcwd does: the folder and its zero byte, or ERANGE when they do not fit.
  syscalls().getcwd = [](char* buffer, std::size_t size) -> char* {
    const std::size_t n = strnlen(current_folder.data(), current_folder.size());
    if (n + 1 > size) {
      errno = ERANGE;
      return nullptr;
    }
    std::memcpy(buffer, current_folder.data(), n);
    buffer[n] = '\0';
    return buffer;
  };
  quarn::platform::process::syscalls().spawnp =
      [](pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
         char* const argv[], char* const[]) {
        // Touch every argument: a bad one shows under the sanitizers.
        std::size_t total = 0;
        for (char* const* arg = argv; *arg != nullptr; ++arg)
          total += std::strlen(*arg);
        return total > 1000000 ? EINVAL : ENOENT;
      };
  quarn::platform::set_sysout([](std::string_view) {});
}

}  // namespace fake
