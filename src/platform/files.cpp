#include "platform/files.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quarn::platform::files {
namespace {

int posix_open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}

constexpr Syscalls kDefaults{&posix_open, &::close,  &::read,  &::pread, &::unlink, &::mkdir,
                             &::getcwd,   &::pwrite, &::write, &::fsync, &::flock,  &::link};
Syscalls table = kDefaults;

// A new file under `native` opened for writing, or -1 with errno set; never one that
// anything (a symbolic link included) already names.
int open_new(const std::string& native) {
  int fd = -1;
  do {
    fd = table.open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Runs a call that answers -1 on failure, retrying it while it is interrupted; 0 or the
// errno it failed with.
template <typename Call>
int error_of(Call call) {
  for (;;) {
    if (call() != -1) return 0;
    if (errno != EINTR) return errno;
  }
}

// The same as a status.
template <typename Call>
FileStatus retried(Call call) {
  return status_of_errno(error_of(call));
}

}  // namespace

Syscalls& syscalls() {
  return table;
}
void reset_syscalls() {
  table = kDefaults;
}

std::string native_path(std::string_view path) {
  std::string native(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

FileStatus remove_file(std::string_view path) {
  const std::string native = native_path(path);
  return retried([&] { return table.unlink(native.c_str()); });
}

FileStatus create_new_file(std::string_view path, int* fd) {
  *fd = open_new(native_path(path));
  return *fd >= 0 ? status::kOk : status_of_errno(errno);
}

FileStatus create_held_file(std::string_view path, int* fd) {
  const std::string native = native_path(path);
  // The file is made and locked under a name of its own, then linked to its real name, so
  // that no other process ever finds it there unlocked and deletes it.
  const std::string own = native + "." + std::to_string(::getpid()) + ".new";
  int made = open_new(own);
  if (made < 0 && errno == EEXIST) {
    // Left by an earlier process of this number.
    remove_file(own);
    made = open_new(own);
  }
  if (made < 0) return status_of_errno(errno);
  int error = error_of([&] { return table.flock(made, LOCK_EX | LOCK_NB); });
  if (error == 0) error = error_of([&] { return table.link(own.c_str(), native.c_str()); });
  remove_file(own);
  if (error == EPERM || error == EACCES || error == EROFS) {
    // A file system without hard links: made under its name, then locked.
    close_file(made);
    made = open_new(native);
    error = made < 0 ? errno : error_of([&] { return table.flock(made, LOCK_EX | LOCK_NB); });
    if (error != 0 && made >= 0) remove_file(path);
  }
  if (error != 0) {
    if (made >= 0) close_file(made);
    // The name taken: another process is making the file, so it is in use.
    return error == EEXIST ? status::kBusy : status_of_errno(error);
  }
  *fd = made;
  return status::kOk;
}

FileStatus remove_unless_in_use(std::string_view path) {
  const std::string native = native_path(path);
  int fd = -1;
  const FileStatus opened = retried([&] {
    fd = table.open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    return fd;
  });
  if (opened == status::kMissing) return opened;
  // A link, or a file this process may not read: no open of ours can hold it.
  if (opened != status::kOk) return remove_file(path);
  FileStatus result = status::kOk;
  if (table.flock(fd, LOCK_EX | LOCK_NB) != 0) {
    result = errno == EWOULDBLOCK ? status::kBusy : status_of_errno(errno);
  } else {
    // Deleted only while it is still the file under the name, held by this call.
    struct stat held {};
    struct stat named {};
    const bool same = ::fstat(fd, &held) == 0 && ::lstat(native.c_str(), &named) == 0 &&
                      held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    result = same ? remove_file(path) : status::kBusy;
  }
  close_file(fd);
  return result;
}

FileStatus close_file(int fd) {
  // A close that is interrupted has released the descriptor on Linux: never retry it.
  return table.close(fd) == 0 || errno == EINTR ? status::kOk : status_of_errno(errno);
}

FileStatus make_folder(std::string_view path) {
  const std::string native = native_path(path);
  return retried([&] { return table.mkdir(native.c_str(), 0777); });
}

FileStatus make_work_folder(std::string_view stem, std::string* path) {
  const char* tmp = std::getenv("TMPDIR");
  std::string name = tmp != nullptr && *tmp == '/' ? tmp : "/tmp";
  if (!name.ends_with('/')) name += '/';
  name += std::string(stem) + "-XXXXXX";
  // mkdtemp picks the name and makes the folder in one step, with mode 0700.
  for (;;) {
    if (::mkdtemp(name.data()) != nullptr) break;
    if (errno != EINTR) return status_of_errno(errno);
  }
  *path = name + "/";
  return status::kOk;
}

FileStatus remove_folder(std::string_view path) {
  std::string native = native_path(path);
  while (native.size() > 1 && native.back() == '/')
    native.pop_back();
  return retried([&] { return ::rmdir(native.c_str()); });
}

FileStatus current_folder(char* buffer, std::size_t size) {
  for (;;) {
    if (table.getcwd(buffer, size) != nullptr) return status::kOk;
    if (errno != EINTR) return status_of_errno(errno);
  }
}

FileStatus open_for_reading(std::string_view path, int* fd) {
  const std::string native = native_path(path);
  return retried([&] {
    *fd = table.open(native.c_str(), O_RDONLY | O_CLOEXEC, 0);
    return *fd;
  });
}

FileStatus read_at(int fd, std::uint64_t offset, std::size_t size, std::string* bytes) {
  bytes->assign(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    if (offset + done > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) break;
    const ssize_t n =
        table.pread(fd, bytes->data() + done, size - done, static_cast<off_t>(offset + done));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return status_of_errno(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  bytes->resize(done);
  return status::kOk;
}

FileStatus write_at(int fd, std::uint64_t offset, const char* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (offset + done > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
      return status::kFull;
    const ssize_t n =
        table.pwrite(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return status_of_errno(errno);
    }
    if (n == 0) return status::kIoError;
    done += static_cast<std::size_t>(n);
  }
  return status::kOk;
}

FileStatus read_file(std::string_view path, std::size_t limit, std::string* contents) {
  int fd = -1;
  FileStatus result = open_for_reading(path, &fd);
  if (result != status::kOk) return result;
  contents->clear();
  char chunk[8192];
  for (;;) {
    const ssize_t n = table.read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result = status_of_errno(errno);
      break;
    }
    if (contents->size() + static_cast<std::size_t>(n) > limit) {
      result = status::kFull;
      break;
    }
    contents->append(chunk, static_cast<std::size_t>(n));
  }
  table.close(fd);
  return result;
}

FileStatus link_file(std::string_view existing, std::string_view name) {
  const std::string from = native_path(existing);
  const std::string to = native_path(name);
  return retried([&] { return table.link(from.c_str(), to.c_str()); });
}

FileStatus rename_file(std::string_view from, std::string_view to) {
  const std::string old_name = native_path(from);
  const std::string new_name = native_path(to);
  return retried([&] { return ::rename(old_name.c_str(), new_name.c_str()); });
}

bool is_folder(std::string_view path) {
  struct stat info {};
  return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace quarn::platform::files
