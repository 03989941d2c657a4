// A whole file's bytes, for tests that compare what a program wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace quarn::testing {

// The file's contents; empty when it cannot be read.
inline std::string file_contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace quarn::testing
