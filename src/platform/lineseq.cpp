#include "platform/lineseq.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "frame/codec.hpp"
#include "platform/files.hpp"

namespace quarn::platform::lineseq {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

int open_flags(WriteMode mode, Target target) {
  // Not waiting for a reader when the name is a pipe: it is refused, not written.
  const int base =
      O_WRONLY | O_CREAT | O_CLOEXEC | (target == Target::kOwnFile ? O_NOFOLLOW | O_NONBLOCK : 0);
  switch (mode) {
    case WriteMode::kNew:
      return base | O_EXCL;
    case WriteMode::kReplace:
      return base | O_TRUNC;
    case WriteMode::kExtend:
      return base | O_APPEND;
  }
  return base;
}

}  // namespace

// ---- writing ----

LineWriter::~LineWriter() {
  close();
}

FileStatus LineWriter::open(std::string_view path, WriteMode mode, Target target) {
  if (fd_ >= 0) return status::kAlreadyOpen;
  const std::string native = files::native_path(path);
  if (native.empty() || native.find('\0') != std::string::npos) return status::kMissing;
  do {
    fd_ = files::syscalls().open(native.c_str(), open_flags(mode, target), 0666);
  } while (fd_ < 0 && errno == EINTR);
  const bool own = target == Target::kOwnFile;
  // A pipe without a reader (ENXIO) is not our file, no more than a link is.
  if (fd_ < 0 && own && errno == ENXIO) return status::kNotPermitted;
  if (fd_ < 0) return status_of_errno(errno);
  struct stat st {};
  if (own && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
    files::syscalls().close(fd_);
    fd_ = -1;
    return status::kNotPermitted;
  }
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  failure_ = status::kOk;
  return status::kOk;
}

FileStatus LineWriter::drain() {
  std::size_t done = 0;
  while (done < buffer_.size() && failure_ == status::kOk) {
    const ssize_t n = files::syscalls().write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno != EINTR) failure_ = status_of_errno(errno);
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  buffer_.clear();
  return failure_;
}

FileStatus LineWriter::write(std::string_view line) {
  if (fd_ < 0) return status::kWriteMode;
  if (failure_ != status::kOk) return failure_;
  buffer_.append(line);
  buffer_ += '\n';
  if (buffer_.size() >= kBufferSize) return drain();
  return status::kOk;
}

FileStatus LineWriter::flush() {
  if (fd_ < 0) return status::kWriteMode;
  if (drain() != status::kOk) return failure_;
  // Pipes and terminals cannot be synced; only a real failure of a file counts.
  if (files::syscalls().fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
    failure_ = status_of_errno(errno);
  return failure_;
}

FileStatus LineWriter::close() {
  if (fd_ < 0) return status::kNotOpen;
  flush();
  if (files::syscalls().close(fd_) != 0 && errno != EINTR && failure_ == status::kOk) {
    failure_ = status_of_errno(errno);
  }
  fd_ = -1;
  return failure_;
}

// ---- reading ----

LineReader::~LineReader() {
  close();
}

FileStatus LineReader::open(std::string_view path) {
  if (fd_ >= 0) return status::kAlreadyOpen;
  const std::string native = files::native_path(path);
  if (native.empty() || native.find('\0') != std::string::npos) return status::kMissing;
  do {
    fd_ = files::syscalls().open(native.c_str(), O_RDONLY | O_CLOEXEC, 0);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) return status_of_errno(errno);
  buffer_.resize(kBufferSize);
  begin_ = end_ = 0;
  at_end_ = false;
  return status::kOk;
}

FileStatus LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t n = files::syscalls().read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return status_of_errno(errno);
    if (n == 0) at_end_ = true;
    end_ += static_cast<std::size_t>(n);
    return status::kOk;
  }
}

FileStatus LineReader::read(std::string& line) {
  if (fd_ < 0) return status::kReadMode;
  for (;;) {
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(begin_);
    const auto last = buffer_.begin() + static_cast<std::ptrdiff_t>(end_);
    const auto newline = std::find(first, last, '\n');
    if (newline != last || (at_end_ && first != last)) {
      line.assign(first, newline);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      begin_ = static_cast<std::size_t>(newline - buffer_.begin()) + (newline != last ? 1 : 0);
      return status::kOk;
    }
    if (at_end_) return status::kAtEnd;
    if (const FileStatus result = fill(); result != status::kOk) return result;
  }
}

FileStatus LineReader::close() {
  if (fd_ < 0) return status::kNotOpen;
  files::syscalls().close(fd_);
  fd_ = -1;
  return status::kOk;
}

bool pad_to_record(std::string_view line, std::span<char> record) {
  frame::put_text(record, line);
  return line.size() <= record.size();
}

}  // namespace quarn::platform::lineseq
