// A home folder for a fuzz run: made once under the temporary folder, with a final "/".
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::string& temp_home() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarn-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/";
  }();
  return folder;
}
