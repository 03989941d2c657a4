// quarn-xcopy SOURCE DESTINATION: copies the files (not the sub-folders) of a folder that
// match a pattern into another folder, creating it when it is missing. The stand-in for the
// command the backup form runs: XCOPY "<folder>*.*" "<destination>".
//   SOURCE       folder and pattern ("data/*.*", "data\*.dat"); a folder alone means all
//                of its files; "*.*" means every file, with or without a dot
//   DESTINATION  folder; existing files of the same names are replaced
// Exit status: 0 files copied, 1 no file matched, 4 bad arguments or a folder missing
// that cannot be created, 5 a file could not be read or written.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "native_path.hpp"

namespace {

constexpr int kCopied = 0;
constexpr int kNoFiles = 1;
constexpr int kBadSetup = 4;
constexpr int kWriteError = 5;

bool is_folder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates a folder and its missing parents.
bool make_folders(const std::string& path) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at == path.size() || path[at] == '/') {
      const std::string part = path.substr(0, at);
      if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
  }
  return is_folder(path);
}

bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies `from` to `to` whole: written under a name of its own beside `to` (made new, never
// through a link someone planted), then renamed over it, so that a link at `to` is replaced
// rather than followed and a failed copy leaves the old file as it was.
bool copy_file(const std::string& from, const std::string& to, mode_t mode) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const std::string own = to + "." + std::to_string(::getpid()) + ".quarn-xcopy";
  const int out =
      ::open(own.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0777);
  bool ok = out >= 0;
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    ok = write_all(out, buffer, static_cast<std::size_t>(n));
  }
  if (out >= 0 && ::close(out) != 0) ok = false;
  ::close(in);
  if (ok) ok = ::rename(own.c_str(), to.c_str()) == 0;
  if (!ok && out >= 0) {
    const int error = errno;
    ::unlink(own.c_str());
    errno = error;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts(
        "usage: quarn-xcopy SOURCE DESTINATION\n"
        "Copies the files of the folder SOURCE (a folder, or a folder and a pattern such\n"
        "as \"data/*.*\") into the folder DESTINATION; sub-folders are not copied.");
    return kCopied;
  }
  if (argc != 3) {
    std::fprintf(stderr, "quarn-xcopy: expects SOURCE and DESTINATION (see --help)\n");
    return kBadSetup;
  }
  const std::string source = quarn::helpers::native_path(argv[1]);
  quarn::helpers::FolderPattern split{source, "*"};
  if (is_folder(source)) {
    if (!split.folder.ends_with('/')) split.folder += '/';
  } else {
    split = quarn::helpers::split_pattern(source);
  }
  const std::string& folder = split.folder;
  std::string destination = quarn::helpers::native_path(argv[2]);
  while (destination.size() > 1 && destination.back() == '/')
    destination.pop_back();

  if (::access(folder.c_str(), R_OK | X_OK) != 0) {
    std::fprintf(stderr, "quarn-xcopy: cannot read the folder %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return kBadSetup;
  }
  const std::vector<std::string> names = quarn::helpers::matching_files(folder, split.pattern);

  int copied = 0;
  int status = kCopied;
  for (const std::string& name : names) {
    struct stat info {};
    const std::string from = folder + name;
    if (::stat(from.c_str(), &info) != 0) continue;  // gone since it was listed
    if (copied == 0 && !make_folders(destination)) {
      std::fprintf(stderr, "quarn-xcopy: cannot create the folder %s\n", destination.c_str());
      return kBadSetup;
    }
    if (!copy_file(from, destination + "/" + name, info.st_mode)) {
      std::fprintf(stderr, "quarn-xcopy: cannot copy %s: %s\n", from.c_str(), std::strerror(errno));
      status = kWriteError;
      continue;
    }
    ++copied;
  }
  std::printf("%d File(s) copied\n", copied);
  if (status != kCopied) return status;
  return copied == 0 ? kNoFiles : kCopied;
}
