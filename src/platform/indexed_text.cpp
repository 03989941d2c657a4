#include "platform/indexed_text.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/files.hpp"
#include "platform/lineseq.hpp"
#include "quarn/quarn-m.h"

namespace quarn::platform {
namespace {

constexpr const char* kStandardInput = "/dev/stdin";
constexpr const char* kStandardOutput = "/dev/stdout";

std::string with_status(std::string text, FileStatus status) {
  return text + " (status " + std::string(status) + ")";
}

// A key for a message: printable bytes as they are, others as \xHH.
std::string shown(std::span<const char> bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      constexpr const char* kHex = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

// Opens `file` for writing (made when missing: then `created`) in a transaction that has
// removed its records, so that what is written replaces them whole, or not at all. On a
// failure a file this call made is removed again.
FileStatus open_to_replace(IndexedFile& output, const std::string& file, bool& created) {
  FileStatus result = output.open(file, OpenMode::kInputOutput);
  created = result == status::kCreated;
  if (created) result = status::kOk;
  if (result == status::kOk) result = output.begin();
  if (result == status::kOk) result = output.remove_all();
  if (result != status::kOk) {
    output.close();
    if (created) remove_indexed_file(file);
  }
  return result;
}

}  // namespace

std::string export_text(const std::string& file, const IndexedLayout& layout,
                        const std::string& text) {
  IndexedFile input(layout);
  if (const FileStatus opened = input.open(file, OpenMode::kInput); opened != status::kOk) {
    return with_status("cannot open " + file, opened);
  }
  input.begin();
  lineseq::LineWriter output;
  const bool to_standard_output = text.empty();
  // A text file is written beside its place and put there only when the whole file was
  // written, so a failed export leaves an earlier text as it was. Devices, pipes and
  // links are written in place.
  std::error_code ignored;
  const auto kind = std::filesystem::symlink_status(files::native_path(text), ignored).type();
  const bool beside = !to_standard_output && (kind == std::filesystem::file_type::not_found ||
                                              kind == std::filesystem::file_type::regular);
  const std::string written_to = to_standard_output ? kStandardOutput
                                 : beside           ? text + ".export"
                                                    : text;
  if (const FileStatus opened = output.open(
          written_to,
          to_standard_output ? lineseq::WriteMode::kExtend : lineseq::WriteMode::kReplace,
          beside ? lineseq::Target::kOwnFile : lineseq::Target::kAny);
      opened != status::kOk) {
    return with_status("cannot write " + (to_standard_output ? "to standard output" : text),
                       opened);
  }
  std::string error;
  std::vector<char> record(layout.record_length);
  while (error.empty()) {
    const FileStatus read = input.read_next(record);
    if (read == status::kAtEnd) break;
    if (read != status::kOk) {
      error = with_status("cannot read " + file, read);
    } else if (std::memchr(record.data(), '\n', record.size()) != nullptr ||
               std::memchr(record.data(), '\r', record.size()) != nullptr) {
      const auto key = std::span<const char>(record).subspan(layout.key_offset, layout.key_length);
      error = "the record with key '" + shown(key) + "' holds a line end";
    } else if (const FileStatus written = output.write({record.data(), record.size()});
               written != status::kOk) {
      error = with_status("cannot write " + text, written);
    }
  }
  if (const FileStatus closed = output.close(); closed != status::kOk && error.empty()) {
    error = with_status("cannot write " + text, closed);
  }
  if (!beside) return error;
  if (error.empty() &&
      std::rename(files::native_path(written_to).c_str(), files::native_path(text).c_str()) != 0) {
    error = with_status("cannot write " + text, status_of_errno(errno));
  }
  if (!error.empty()) files::remove_file(written_to);
  return error;
}

std::string import_text(const std::string& file, const IndexedLayout& layout,
                        const std::string& text, bool allow_empty) {
  lineseq::LineReader input;
  if (const FileStatus opened = input.open(text.empty() ? kStandardInput : text);
      opened != status::kOk) {
    return with_status("cannot open " + (text.empty() ? "standard input" : text), opened);
  }
  // The records go into the file itself, in one transaction that first removes the old
  // ones: the file is replaced whole or not at all, a journal left by an interrupted
  // update is recovered by the open (it belongs to this file, so it never meets another
  // one), and other processes wait for the commit instead of losing a file under them.
  IndexedFile output(layout);
  bool created = false;
  if (const FileStatus opened = open_to_replace(output, file, created); opened != status::kOk) {
    return with_status("cannot open " + file, opened);
  }
  std::string error;
  std::string line;
  std::vector<char> record(layout.record_length);
  long records = 0;
  for (long number = 1; error.empty(); ++number) {
    const FileStatus read = input.read(line);
    if (read == status::kAtEnd) break;
    if (read != status::kOk) {
      error = with_status("cannot read line " + std::to_string(number), read);
      break;
    }
    if (line.empty()) continue;
    if (!lineseq::pad_to_record(line, record)) {
      error = "line " + std::to_string(number) + " has " + std::to_string(line.size()) +
              " characters, more than the record's " + std::to_string(layout.record_length);
      break;
    }
    const FileStatus written = output.write(record);
    if (written == status::kDuplicate) {
      const auto key = std::span<const char>(record).subspan(layout.key_offset, layout.key_length);
      error = "line " + std::to_string(number) + " repeats the key '" + shown(key) + "'";
    } else if (written != status::kOk) {
      error = with_status("cannot write " + file, written);
    }
    ++records;
  }
  if (error.empty() && records == 0 && !allow_empty) {
    error = "the text holds no records: " + file + " is left as it was";
  }
  if (error.empty()) {
    if (const FileStatus committed = output.commit(); committed != status::kOk) {
      error = with_status("cannot write " + file, committed);
    }
  }
  // Without a commit the close undoes every change; a file this import made goes again.
  output.close();
  if (!error.empty() && created) remove_indexed_file(file);
  return error;
}

std::string copy_indexed(const std::string& from, const std::string& to,
                         const IndexedLayout& layout, long& copied) {
  copied = 0;
  IndexedFile input(layout);
  if (const FileStatus opened = input.open(from, OpenMode::kInput); opened != status::kOk) {
    return with_status("cannot open " + from, opened);
  }
  // A steady view of the source while it is read.
  input.begin();
  IndexedFile output(layout);
  bool created = false;
  if (const FileStatus opened = open_to_replace(output, to, created); opened != status::kOk) {
    return with_status("cannot open " + to, opened);
  }
  std::string error;
  std::vector<char> record(layout.record_length);
  for (;;) {
    const FileStatus read = input.read_next(record);
    if (read == status::kAtEnd) break;
    if (read != status::kOk) {
      error = with_status("cannot read " + from + " after " + std::to_string(copied) + " records",
                          read);
      break;
    }
    if (const FileStatus written = output.write(record); written != status::kOk) {
      error = with_status("cannot write " + to, written);
      break;
    }
    ++copied;
  }
  if (error.empty()) {
    if (const FileStatus committed = output.commit(); committed != status::kOk) {
      error = with_status("cannot write " + to, committed);
    }
  }
  output.close();
  if (!error.empty()) {
    copied = 0;
    if (created) remove_indexed_file(to);
  }
  return error;
}

}  // namespace quarn::platform
