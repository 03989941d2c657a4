// Files and folders: the byte-stream file routines, file deletion, folder creation and the
// current folder, over POSIX. Every routine answers a file status (platform/file_status.hpp).
// Paths come in with either separator; every "\" becomes "/" here, at the boundary. Drive
// letters mean nothing on POSIX and pass through unchanged.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_status.hpp"

namespace quarn::platform::files {

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

// `path` with every "\" turned into "/".
std::string native_path(std::string_view path);

// Deletes a file (a symbolic link itself, never what it points to).
FileStatus remove_file(std::string_view path);
// Creates a new file for writing; fails with "37" when anything, a symbolic link
// included, already has the name, so that it never opens or creates a file elsewhere.
FileStatus create_new_file(std::string_view path, int* fd);
// Creates a new file for writing that is held in use (locked) from the moment it has its
// name until it is closed, so that remove_unless_in_use() in any process leaves it alone.
// Fails with "93" when anything already has the name: another process is making it.
FileStatus create_held_file(std::string_view path, int* fd);
// Deletes a file unless it is held in use by an open of create_held_file(), here or in
// another process: then "93", as the suite's original platform refuses to delete an
// open file. A symbolic link is deleted itself.
FileStatus remove_unless_in_use(std::string_view path);
FileStatus close_file(int fd);
// Creates one folder (not its missing parents).
FileStatus make_folder(std::string_view path);
// Creates a new folder in the temporary folder (TMPDIR, else /tmp) whose name is `stem`,
// "-" and six characters no other folder there has, readable only by this user; its path
// (with a final "/") into `path`. For work files that no other process may meet.
FileStatus make_work_folder(std::string_view stem, std::string* path);
// Deletes an empty folder.
FileStatus remove_folder(std::string_view path);
// The current folder into `buffer` (NUL-terminated); "34" when it needs more than
// `size` bytes.
FileStatus current_folder(char* buffer, std::size_t size);
// A whole file, read when it is at most `limit` bytes long.
FileStatus read_file(std::string_view path, std::size_t limit, std::string* contents);

// An existing file opened for reading parts of it with read_at(); close it with close_file().
FileStatus open_for_reading(std::string_view path, int* fd);
// `size` bytes from `offset` into `bytes`; fewer only where the file ends.
FileStatus read_at(int fd, std::uint64_t offset, std::size_t size, std::string* bytes);

// Writes all `size` bytes at `offset` of a file opened for writing.
FileStatus write_at(int fd, std::uint64_t offset, const char* bytes, std::size_t size);

// A second name for an existing file (a hard link); "37" when the name is taken or the file
// system has no hard links.
FileStatus link_file(std::string_view existing, std::string_view name);
// Gives a file another name, replacing what has that name.
FileStatus rename_file(std::string_view from, std::string_view to);
// Whether `path` names a folder (following a symbolic link, as opening it would).
bool is_folder(std::string_view path);

}  // namespace quarn::platform::files
