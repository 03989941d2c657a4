// What the helper programs share: the suite writes paths with "\", these programs use "/".
#pragma once

#include <algorithm>
#include <string>

namespace quarn::helpers {

inline std::string native_path(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace quarn::helpers
