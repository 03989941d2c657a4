// Geometry shared by the form runtimes: rectangles in pixels.
#pragma once

#include <cstdint>

namespace quarn::forms {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace quarn::forms
