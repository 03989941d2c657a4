// What the system tests share: a scratch folder, the suite's home folder, the recorder
// program and its record.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "quarn/quarn-m.h"

namespace quarn::testing {

namespace fs = std::filesystem;

// A fresh folder under /tmp, removed at the end; short, so that paths fit the records.
class ScratchFolder {
 public:
  ScratchFolder() {
    char name[] = "/tmp/qs.XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

inline QuarnXMiscExternalWs& misc_area() {
  return *static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
}

// Sets XM-HOME-FOLDER (then a zero byte) and XM-FOLDER-LENGTH as an application does;
// without a length, the folder text's own.
inline void set_home(const std::string& folder, std::optional<int> length = std::nullopt) {
  QuarnXMiscExternalWs& area = misc_area();
  std::memset(area.xm_home_folder, 0, sizeof area.xm_home_folder);
  std::memcpy(area.xm_home_folder, folder.data(),
              std::min(folder.size(), sizeof area.xm_home_folder));
  const int n = length.value_or(static_cast<int>(folder.size()));
  area.xm_folder_length[0] = static_cast<char>(n >> 8 & 0xFF);
  area.xm_folder_length[1] = static_cast<char>(n & 0xFF);
}

inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The arguments the recorder wrote to `path`, waiting (up to a generous limit, for a
// program that was not waited for) until it has finished writing them.
inline std::vector<std::string> recorded_arguments(const std::string& path) {
  for (int i = 0; i < 500 && read_file(path).find("end\n") == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::vector<std::string> args;
  std::istringstream lines(read_file(path));
  for (std::string line; std::getline(lines, line) && line != "end";)
    args.push_back(line.size() >= 2 ? line.substr(1, line.size() - 2) : line);
  return args;
}

// Puts the recorder first on the search path under `name`, with its record in the folder.
class RecorderOnPath {
 public:
  RecorderOnPath(const ScratchFolder& folder, const std::string& name)
      : record_(folder / "record.txt"), old_path_(std::getenv("PATH")) {
    fs::create_directories(folder.path() / "bin");
    fs::create_symlink(QUARN_TEST_RECORDER, folder.path() / "bin" / name);
    ::setenv("PATH", ((folder.path() / "bin").string() + ":" + old_path_).c_str(), 1);
    ::setenv("QUARN_RECORD_FILE", record_.c_str(), 1);
  }
  ~RecorderOnPath() {
    ::setenv("PATH", old_path_.c_str(), 1);
    ::unsetenv("QUARN_RECORD_FILE");
  }
  std::vector<std::string> arguments() const { return recorded_arguments(record_); }
  const std::string& record() const { return record_; }

 private:
  std::string record_;
  std::string old_path_;
};

}  // namespace quarn::testing
