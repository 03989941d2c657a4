// The size of a picture read from its own header, for the picture formats the forms show:
// PNG, JPEG, Windows bitmap and GIF. No pixel is decoded.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarn::forms {

enum class PictureFormat : std::uint8_t { kPng, kJpeg, kBitmap, kGif };

struct PictureSize {
  PictureFormat format;
  std::uint32_t width;
  std::uint32_t height;
};

// The format and size of the picture in `bytes` (the file's start, or all of it); nullopt
// when the bytes are none of the formats, their header is cut short, or a side is 0.
std::optional<PictureSize> picture_size(std::string_view bytes);

}  // namespace quarn::forms
