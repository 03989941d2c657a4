// Line-sequential files: text files of one record a line, ended by LF (CRLF is read too).
// Results are the file statuses of platform/file_status.hpp ("00", "10" at the end, "35"
// missing, "37" not permitted, "34" full, "30" any other failure).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_status.hpp"

namespace quarn::platform::lineseq {

enum class WriteMode {
  kNew,      // a new file; fails when the name is taken
  kReplace,  // made empty, created when missing
  kExtend,   // appended to, created when missing
};

// What a name may be for a writer.
enum class Target {
  // The library's own file (a log, a temporary file): a symbolic link or anything but a
  // regular file under the name is refused ("37"), so that a link planted in a shared
  // folder never sends the lines elsewhere.
  kOwnFile,
  // Whatever the name is, followed when it is a link (a device, a pipe, standard output).
  kAny,
};

// Writes lines through a buffer. A failing write is reported by the call that meets it
// (a later write, flush() or close()); after a failure every call reports it again.
class LineWriter {
 public:
  LineWriter() = default;
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  FileStatus open(std::string_view path, WriteMode mode, Target target = Target::kOwnFile);
  // Adds `line` and a line end.
  FileStatus write(std::string_view line);
  // Hands what is buffered to the file and makes it durable.
  FileStatus flush();
  // Flushes and closes; the status of the first failure since open, if any.
  FileStatus close();
  bool is_open() const { return fd_ >= 0; }

 private:
  FileStatus drain();

  int fd_ = -1;
  std::string buffer_;
  FileStatus failure_ = "00";
};

// Reads lines through a buffer.
class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  FileStatus open(std::string_view path);
  // The next line without its line end; "10" past the last line.
  FileStatus read(std::string& line);
  FileStatus close();
  bool is_open() const { return fd_ >= 0; }

 private:
  FileStatus fill();

  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
};

// Copies a line into a fixed-length record: padded with spaces, or cut when longer.
// False when the line was longer than the record.
bool pad_to_record(std::string_view line, std::span<char> record);

}  // namespace quarn::platform::lineseq
