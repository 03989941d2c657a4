// What the helper programs share: the suite writes paths with "\", these programs use "/";
// and the files of a folder that a name with a wildcard stands for.
#pragma once

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quarn::helpers {

inline std::string native_path(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// "data/*.dat" as a folder ("data/"; "./" when there is none, so that a file named like an
// option is never read as one) and the pattern of its last part. "*.*" means every file,
// with or without a dot, as the suite's programs read it.
struct FolderPattern {
  std::string folder;
  std::string pattern;
};
inline FolderPattern split_pattern(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  FolderPattern split{slash == std::string::npos ? "./" : name.substr(0, slash + 1),
                      slash == std::string::npos ? name : name.substr(slash + 1)};
  if (split.pattern == "*.*") split.pattern = "*";
  return split;
}

// The names of the files (never the sub-folders) of `folder` (ending in "/") that match
// `pattern`, sorted; empty when the folder cannot be read.
inline std::vector<std::string> matching_files(const std::string& folder,
                                               const std::string& pattern) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || ::fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
    struct stat info {};
    if (::stat((folder + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quarn::helpers
