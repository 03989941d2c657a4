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

Status replace_lines(std::string_view path, std::span<const std::string> lines) {
  const std::string native = native_path(path);
  if (native.empty() || native.find('\0') != std::string::npos) return Status::kNotFound;
  std::string contents;
  for (const std::string& line : lines) {
    contents += line;
    contents += '\n';
  }

  const std::string temporary = temporary_name(native);
  int fd = -1;
  Status status = create_new_file(temporary, &fd);
  if (status != Status::kOk) return status;
  status = write_at(fd, 0, contents.data(), contents.size());
  if (status == Status::kOk && syscalls().fsync(fd) != 0) status = status_of_errno(errno);
  if (const Status closed = close_file(fd); status == Status::kOk) status = closed;
  if (status == Status::kOk && ::rename(temporary.c_str(), native.c_str()) != 0)
    status = status_of_errno(errno);
  if (status != Status::kOk) {
    remove_file(temporary);
    return status;
  }
  sync_folder(native);
  return Status::kOk;
}

bool is_file(std::string_view path) {
  struct stat info {};
  return ::lstat(native_path(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

FileStatus file_status_of(Status status) {
  switch (status) {
    case Status::kOk:
      return status::kOk;
    case Status::kNotFound:
    case Status::kNotAFolder:
      return status::kMissing;
    case Status::kDenied:
    case Status::kExists:
      return status::kNotPermitted;
    case Status::kTooLarge:
      return status::kFull;
    default:
      return status::kIoError;
  }
}

}  // namespace quarn::platform::files
