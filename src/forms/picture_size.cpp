#include "forms/picture_size.hpp"

#include <cstdlib>

namespace quarn::forms {
namespace {

std::uint32_t byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
std::uint32_t be16(std::string_view bytes, std::size_t at) {
  return byte(bytes, at) << 8 | byte(bytes, at + 1);
}
std::uint32_t be32(std::string_view bytes, std::size_t at) {
  return be16(bytes, at) << 16 | be16(bytes, at + 2);
}
std::uint32_t le16(std::string_view bytes, std::size_t at) {
  return byte(bytes, at) | byte(bytes, at + 1) << 8;
}
std::uint32_t le32(std::string_view bytes, std::size_t at) {
  return le16(bytes, at) | le16(bytes, at + 2) << 16;
}

std::optional<PictureSize> png(std::string_view bytes) {
  constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
  // The signature, then the IHDR chunk: length, "IHDR", width, height.
  if (bytes.size() < 24 || bytes.substr(0, 8) != kSignature || bytes.substr(12, 4) != "IHDR")
    return std::nullopt;
  return PictureSize{PictureFormat::kPng, be32(bytes, 16), be32(bytes, 20)};
}

std::optional<PictureSize> jpeg(std::string_view bytes) {
  if (bytes.size() < 4 || byte(bytes, 0) != 0xFF || byte(bytes, 1) != 0xD8) return std::nullopt;
  // The marker segments up to the first start-of-frame, which holds the size.
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (byte(bytes, at) != 0xFF) return std::nullopt;
    const std::uint32_t marker = byte(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const std::uint32_t length = be16(bytes, at + 2);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > bytes.size()) return std::nullopt;
      return PictureSize{PictureFormat::kJpeg, be16(bytes, at + 7), be16(bytes, at + 5)};
    }
    if (marker == 0xD9 || marker == 0xDA || length < 2) return std::nullopt;
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureSize> bitmap(std::string_view bytes) {
  // The file header (14 bytes), then the information header: its size, and for the
  // common headers (40 bytes and more) width and height as 32-bit integers, a negative
  // height meaning rows top down; the old 12-byte header has 16-bit sides.
  if (bytes.size() < 26 || bytes.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t header = le32(bytes, 14);
  if (header == 12) return PictureSize{PictureFormat::kBitmap, le16(bytes, 18), le16(bytes, 20)};
  if (header < 40) return std::nullopt;
  const auto width = static_cast<std::int32_t>(le32(bytes, 18));
  const auto height = static_cast<std::int32_t>(le32(bytes, 22));
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  return PictureSize{PictureFormat::kBitmap, static_cast<std::uint32_t>(width),
                     static_cast<std::uint32_t>(std::abs(height))};
}

std::optional<PictureSize> gif(std::string_view bytes) {
  if (bytes.size() < 10 || (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a"))
    return std::nullopt;
  return PictureSize{PictureFormat::kGif, le16(bytes, 6), le16(bytes, 8)};
}

}  // namespace

std::optional<PictureSize> picture_size(std::string_view bytes) {
  for (const auto reader : {png, jpeg, bitmap, gif}) {
    const std::optional<PictureSize> size = reader(bytes);
    if (!size) continue;
    if (size->width == 0 || size->height == 0) return std::nullopt;
    return size;
  }
  return std::nullopt;
}

}  // namespace quarn::forms
