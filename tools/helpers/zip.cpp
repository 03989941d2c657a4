// quarn-zip [OPTIONS] ZIPFILE NAME... [-i PATTERN...] [-x PATTERN...]: the stand-in for the
// zip program the backup form runs (ZIP.EXE -9oqj "<zip file>" "<folder>*.*" -i ...). It
// runs zip with the same arguments, except that a NAME holding a wildcard ("data/*.*") is
// replaced by the files of its folder that match it, as the suite's zip program expands
// such names itself (zip here leaves that to a shell, and none is used). Only files are
// named, never sub-folders; "*.*" names every file, with or without a dot. A NAME that
// matches nothing is passed on as it is, and zip says so.
//   ZIP      the program run (default: "zip" on the search path)
// Exit status: zip's, or 127 when zip cannot be started.
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "native_path.hpp"

namespace {

constexpr int kCannotStart = 127;

bool has_wildcard(const std::string& name) {
  return name.find_first_of("*?[") != std::string::npos;
}

// The files of the folder part of `name` that its last part matches, sorted.
std::vector<std::string> expand(const std::string& name) {
  const quarn::helpers::FolderPattern split = quarn::helpers::split_pattern(name);
  std::vector<std::string> files = quarn::helpers::matching_files(split.folder, split.pattern);
  for (std::string& file : files)
    file = split.folder + file;
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts(
        "usage: quarn-zip [OPTIONS] ZIPFILE NAME... [-i PATTERN...] [-x PATTERN...]\n"
        "Runs zip with these arguments; a NAME with a wildcard (\"data/*.*\") becomes the\n"
        "files of its folder that match it (never sub-folders). ZIP names the program.");
    return 0;
  }
  const char* zip = std::getenv("ZIP");
  std::vector<std::string> args{zip != nullptr && *zip != '\0' ? zip : "zip"};
  bool seen_zip_file = false;
  bool in_patterns = false;  // after -i or -x: patterns for zip to match, not names
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!arg.empty() && arg[0] == '-') {
      in_patterns = arg == "-i" || arg == "-x" || arg == "--include" || arg == "--exclude";
      args.push_back(arg);
      continue;
    }
    if (in_patterns || !seen_zip_file || !has_wildcard(arg)) {
      seen_zip_file = true;
      args.push_back(in_patterns ? arg : quarn::helpers::native_path(arg));
      continue;
    }
    const std::vector<std::string> files = expand(quarn::helpers::native_path(arg));
    if (files.empty()) {
      args.push_back(arg);
    } else {
      args.insert(args.end(), files.begin(), files.end());
    }
  }
  std::vector<char*> pointers;
  for (std::string& a : args)
    pointers.push_back(a.data());
  pointers.push_back(nullptr);
  ::execvp(pointers[0], pointers.data());
  std::fprintf(stderr, "quarn-zip: cannot start %s: %s\n", pointers[0], std::strerror(errno));
  return kCannotStart;
}
