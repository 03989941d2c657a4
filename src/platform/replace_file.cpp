#include "platform/replace_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace quarn::platform::files {
namespace {

// A name beside the target that no other writer of this process or another picks.
std::string temporary_name(std::string_view path) {
  static std::atomic<unsigned> counter{0};
  return std::string(path) + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1));
}

// Makes the rename durable: the folder's entry is flushed too.
void sync_folder(const std::string& native) {
  const std::size_t slash = native.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileStatus replace_lines(std::string_view path, std::span<const std::string> lines) {
  const std::string native = native_path(path);
  if (native.empty() || native.find('\0') != std::string::npos) return status::kMissing;
  std::string contents;
  for (const std::string& line : lines) {
    contents += line;
    contents += '\n';
  }

  const std::string temporary = temporary_name(native);
  int fd = -1;
  FileStatus result = create_new_file(temporary, &fd);
  if (result != status::kOk) return result;
  result = write_at(fd, 0, contents.data(), contents.size());
  if (result == status::kOk && syscalls().fsync(fd) != 0) result = status_of_errno(errno);
  if (const FileStatus closed = close_file(fd); result == status::kOk) result = closed;
  if (result == status::kOk && ::rename(temporary.c_str(), native.c_str()) != 0)
    result = status_of_errno(errno);
  if (result != status::kOk) {
    remove_file(temporary);
    return result;
  }
  sync_folder(native);
  return status::kOk;
}

bool is_file(std::string_view path) {
  struct stat info {};
  return ::lstat(native_path(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace quarn::platform::files
