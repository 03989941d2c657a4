// File statuses: what a file operation of this layer came to, as the two characters the
// suite's programs receive and IXIOSTAT words ("00", "23" ...). Byte-stream files, line-
// sequential files and indexed files all answer in these, and an error number becomes one
// of them in exactly one function, status_of_errno().
#pragma once

#include <string_view>

namespace quarn::platform {

// A two-character file status; always one of the literals below.
using FileStatus = std::string_view;

namespace status {
inline constexpr FileStatus kOk = "00";
inline constexpr FileStatus kBadLength = "04";  // a stored record has another length
inline constexpr FileStatus kCreated = "05";    // opened, the file did not exist and was made
inline constexpr FileStatus kAtEnd = "10";
inline constexpr FileStatus kDuplicate = "22";
inline constexpr FileStatus kNotFound = "23";
inline constexpr FileStatus kIoError = "30";  // any failure not named here
inline constexpr FileStatus kFull = "34";     // no room: the disk, a quota, a size limit
inline constexpr FileStatus kMissing = "35";  // the file (or its folder) does not exist
// Not permitted: no permission, a read-only file system, the name is taken, or what is
// under the name (a folder, a symbolic link) is not a file this operation works on.
inline constexpr FileStatus kNotPermitted = "37";
inline constexpr FileStatus kConflict = "39";  // not such a file, or other lengths
inline constexpr FileStatus kAlreadyOpen = "41";
inline constexpr FileStatus kNotOpen = "42";
inline constexpr FileStatus kLengthConflict = "44";
inline constexpr FileStatus kNoPosition = "46";
inline constexpr FileStatus kReadMode = "47";
inline constexpr FileStatus kWriteMode = "48";
inline constexpr FileStatus kRewriteMode = "49";
inline constexpr FileStatus kBusy = "93";  // in use (held or locked) by another process
}  // namespace status

// The status of an errno value: the one place where this layer's system errors become
// statuses.
FileStatus status_of_errno(int error);

}  // namespace quarn::platform
