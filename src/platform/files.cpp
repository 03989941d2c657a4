#include "platform/files.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace quarn::platform::files {
namespace {

int posix_open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}

constexpr Syscalls kDefaults{&posix_open, &::close,  &::read,  &::pread, &::unlink, &::mkdir,
                             &::getcwd,   &::pwrite, &::write, &::fsync, &::flock,  &::link};
Syscalls table = kDefaults;

// The one place where errno becomes a status.
Status from_errno(int error) {
  switch (error) {
    case 0:
      return Status::kOk;
    case ENOENT:
      return Status::kNotFound;
    case EEXIST:
    case ELOOP:  // O_NOFOLLOW met a symbolic link
      return Status::kExists;
    case EACCES:
    case EPERM:
    case EROFS:
      return Status::kDenied;
    case ENOTDIR:
    case EISDIR:
      return Status::kNotAFolder;
    case ENAMETOOLONG:
      return Status::kNameTooLong;
    case ERANGE:
    case EFBIG:
    case ENOSPC:  // no room left on the disk
    case EDQUOT:
      return Status::kTooLarge;
    default:
      return Status::kFailed;
  }
}

}  // namespace

Status status_of_errno(int error) {
  return from_errno(error);
}

namespace {

// Runs a call that answers -1 on failure, retrying it while it is interrupted.
template <typename Call>
Status retried(Call call) {
  for (;;) {
    if (call() != -1) return Status::kOk;
    if (errno != EINTR) return from_errno(errno);
  }
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

Status remove_file(std::string_view path) {
  const std::string native = native_path(path);
  return retried([&] { return table.unlink(native.c_str()); });
}

Status create_new_file(std::string_view path, int* fd) {
  const std::string native = native_path(path);
  return retried([&] {
    *fd = table.open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return *fd;
  });
}

Status create_held_file(std::string_view path, int* fd) {
  const std::string native = native_path(path);
  // The file is made and locked under a name of its own, then linked to its real name, so
  // that no other process ever finds it there unlocked and deletes it.
  const std::string own = native + "." + std::to_string(::getpid()) + ".new";
  int made = -1;
  Status status = create_new_file(own, &made);
  if (status == Status::kExists) {
    // Left by an earlier process of this number.
    remove_file(own);
    status = create_new_file(own, &made);
  }
  if (status != Status::kOk) return status;
  status = retried([&] { return table.flock(made, LOCK_EX | LOCK_NB); });
  if (status == Status::kOk) {
    status = retried([&] { return table.link(own.c_str(), native.c_str()); });
  }
  remove_file(own);
  if (status == Status::kDenied) {
    // A file system without hard links (EPERM): made under its name, then locked.
    close_file(made);
    status = create_new_file(path, &made);
    if (status == Status::kOk)
      status = retried([&] { return table.flock(made, LOCK_EX | LOCK_NB); });
    if (status != Status::kOk && made >= 0) remove_file(path);
  }
  if (status != Status::kOk) {
    if (made >= 0) close_file(made);
    return status;
  }
  *fd = made;
  return Status::kOk;
}

Status remove_unless_in_use(std::string_view path) {
  const std::string native = native_path(path);
  int fd = -1;
  const Status opened = retried([&] {
    fd = table.open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    return fd;
  });
  if (opened == Status::kNotFound) return opened;
  // A link, or a file this process may not read: no open of ours can hold it.
  if (opened != Status::kOk) return remove_file(path);
  Status status = Status::kOk;
  if (table.flock(fd, LOCK_EX | LOCK_NB) != 0) {
    status = errno == EWOULDBLOCK ? Status::kDenied : from_errno(errno);
  } else {
    // Deleted only while it is still the file under the name, held by this call.
    struct stat held {};
    struct stat named {};
    const bool same = ::fstat(fd, &held) == 0 && ::lstat(native.c_str(), &named) == 0 &&
                      held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    status = same ? remove_file(path) : Status::kDenied;
  }
  close_file(fd);
  return status;
}

Status close_file(int fd) {
  // A close that is interrupted has released the descriptor on Linux: never retry it.
  return table.close(fd) == 0 || errno == EINTR ? Status::kOk : from_errno(errno);
}

Status make_folder(std::string_view path) {
  const std::string native = native_path(path);
  return retried([&] { return table.mkdir(native.c_str(), 0777); });
}

Status current_folder(char* buffer, std::size_t size) {
  for (;;) {
    if (table.getcwd(buffer, size) != nullptr) return Status::kOk;
    if (errno != EINTR) return from_errno(errno);
  }
}

Status open_for_reading(std::string_view path, int* fd) {
  const std::string native = native_path(path);
  return retried([&] {
    *fd = table.open(native.c_str(), O_RDONLY | O_CLOEXEC, 0);
    return *fd;
  });
}

Status read_at(int fd, std::uint64_t offset, std::size_t size, std::string* bytes) {
  bytes->assign(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    if (offset + done > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) break;
    const ssize_t n =
        table.pread(fd, bytes->data() + done, size - done, static_cast<off_t>(offset + done));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return from_errno(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  bytes->resize(done);
  return Status::kOk;
}

Status write_at(int fd, std::uint64_t offset, const char* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (offset + done > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
      return Status::kTooLarge;
    const ssize_t n =
        table.pwrite(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return from_errno(errno);
    }
    if (n == 0) return Status::kFailed;
    done += static_cast<std::size_t>(n);
  }
  return Status::kOk;
}

Status read_file(std::string_view path, std::size_t limit, std::string* contents) {
  int fd = -1;
  Status status = open_for_reading(path, &fd);
  if (status != Status::kOk) return status;
  contents->clear();
  char chunk[8192];
  for (;;) {
    const ssize_t n = table.read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      status = from_errno(errno);
      break;
    }
    if (contents->size() + static_cast<std::size_t>(n) > limit) {
      status = Status::kTooLarge;
      break;
    }
    contents->append(chunk, static_cast<std::size_t>(n));
  }
  table.close(fd);
  return status;
}

Status link_file(std::string_view existing, std::string_view name) {
  const std::string from = native_path(existing);
  const std::string to = native_path(name);
  return retried([&] { return table.link(from.c_str(), to.c_str()); });
}

Status rename_file(std::string_view from, std::string_view to) {
  const std::string old_name = native_path(from);
  const std::string new_name = native_path(to);
  return retried([&] { return ::rename(old_name.c_str(), new_name.c_str()); });
}

bool is_folder(std::string_view path) {
  struct stat info {};
  return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace quarn::platform::files
