// Files and folders: the byte-stream file routines, file deletion, folder creation and the
// current folder, over POSIX. Paths come in with either separator; every "\" becomes "/"
// here, at the boundary. Drive letters mean nothing on POSIX and pass through unchanged.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarn::platform::files {

// What a file operation came to. errno is mapped to one of these in exactly one function.
enum class Status {
  kOk,
  kNotFound,    // no such file or folder (or a part of the path is missing)
  kExists,      // the name is taken (also by a symbolic link)
  kDenied,      // no permission, read-only file system
  kNotAFolder,  // a part of the path is a file, or a folder was given where a file is meant
  kNameTooLong,
  kTooLarge,  // larger than a limit: the caller's, the file system's, or the room on the disk
  kFailed,    // any other error
};

// The system calls this layer makes, replaceable so that tests can inject failures. Each
// returns what the POSIX call returns and sets errno as it does; EINTR is retried by the
// layer, not by these.
struct Syscalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*pread)(int fd, void* buffer, std::size_t size, off_t offset);
  int (*unlink)(const char* path);
  int (*mkdir)(const char* path, mode_t mode);
  char* (*getcwd)(char* buffer, std::size_t size);
  ssize_t (*pwrite)(int fd, const void* buffer, std::size_t size, off_t offset);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);  // line-sequential files
  int (*fsync)(int fd);
  int (*flock)(int fd, int operation);
  int (*link)(const char* existing, const char* name);
};
// The table in use. Tests replace entries and put the defaults back with reset_syscalls().
Syscalls& syscalls();
void reset_syscalls();

// The status of an errno value: the one place where this layer's errors become statuses.
Status status_of_errno(int error);

// `path` with every "\" turned into "/".
std::string native_path(std::string_view path);

// Deletes a file (a symbolic link itself, never what it points to).
Status remove_file(std::string_view path);
// Creates a new file for writing; fails with kExists when anything, a symbolic link
// included, already has the name, so that it never opens or creates a file elsewhere.
Status create_new_file(std::string_view path, int* fd);
// Creates a new file for writing that is held in use (locked) from the moment it has its
// name until it is closed, so that remove_unless_in_use() in any process leaves it alone.
// Fails with kExists when anything already has the name.
Status create_held_file(std::string_view path, int* fd);
// Deletes a file unless it is held in use by an open of create_held_file(), here or in
// another process: then kDenied, as the suite's original platform refuses to delete an
// open file. A symbolic link is deleted itself.
Status remove_unless_in_use(std::string_view path);
Status close_file(int fd);
// Creates one folder (not its missing parents).
Status make_folder(std::string_view path);
// The current folder into `buffer` (NUL-terminated); kTooLarge when it needs more than
// `size` bytes.
Status current_folder(char* buffer, std::size_t size);
// A whole file, read when it is at most `limit` bytes long.
Status read_file(std::string_view path, std::size_t limit, std::string* contents);

// An existing file opened for reading parts of it with read_at(); close it with close_file().
Status open_for_reading(std::string_view path, int* fd);
// `size` bytes from `offset` into `bytes`; fewer only where the file ends.
Status read_at(int fd, std::uint64_t offset, std::size_t size, std::string* bytes);

// Writes all `size` bytes at `offset` of a file opened for writing.
Status write_at(int fd, std::uint64_t offset, const char* bytes, std::size_t size);

// A second name for an existing file (a hard link); kExists when the name is taken.
Status link_file(std::string_view existing, std::string_view name);
// Gives a file another name, replacing what has that name.
Status rename_file(std::string_view from, std::string_view to);
// Whether `path` names a folder (following a symbolic link, as opening it would).
bool is_folder(std::string_view path);

}  // namespace quarn::platform::files
