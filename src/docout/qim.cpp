#include "docout/qim.hpp"

#include <algorithm>
#include <filesystem>

#include "frame/codec.hpp"
#include "platform/files.hpp"
#include "quarn/quarn-m.h"

namespace quarn::docout::qim {

using frame::ConstField;
using frame::Field;
using frame::read_unsigned;
using frame::write_unsigned;

namespace {

std::uint32_t be16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                    static_cast<unsigned char>(bytes[at + 1]));
}

std::uint32_t be32(std::string_view bytes, std::size_t at) {
  return be16(bytes, at) << 16 | be16(bytes, at + 2);
}

bool png_properties(std::string_view bytes, Properties* properties) {
  constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
  // The signature, then the IHDR chunk: length, "IHDR", width, height.
  if (bytes.size() < 24 || bytes.substr(0, 8) != kSignature || bytes.substr(12, 4) != "IHDR")
    return false;
  *properties = {be32(bytes, 16), be32(bytes, 20), Type::kPng};
  return true;
}

bool jpeg_properties(std::string_view bytes, Properties* properties) {
  if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xD8)
    return false;
  // Walk the marker segments to the first start-of-frame, which holds the size.
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (static_cast<unsigned char>(bytes[at]) != 0xFF) return false;
    const auto marker = static_cast<unsigned char>(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const std::uint32_t length = be16(bytes, at + 2);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > bytes.size()) return false;
      *properties = {be16(bytes, at + 7), be16(bytes, at + 5), Type::kJpeg};
      return true;
    }
    if (marker == 0xD9 || marker == 0xDA || length < 2) return false;
    at += 2 + length;
  }
  return false;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string record(std::string_view text) {
  std::string line(text);
  line.resize(kRecordWidth, ' ');
  line += '\n';
  return line;
}

}  // namespace

bool picture_properties(std::string_view bytes, Properties* properties) {
  return png_properties(bytes, properties) || jpeg_properties(bytes, properties);
}

bool make(std::string_view picture, std::string* qim) {
  Properties properties;
  if (!picture_properties(picture, &properties)) return false;
  char numbers[14];
  write_unsigned(Field(numbers, 6), properties.width);
  numbers[6] = ' ';
  write_unsigned(Field(numbers + 7, 6), properties.height);
  numbers[13] = ' ';
  qim->clear();
  qim->reserve((picture.size() * 2 / kRecordWidth + 3) * (kRecordWidth + 1));
  *qim += record(kVersion);
  *qim += record(std::string(numbers, sizeof numbers) +
                 (properties.type == Type::kPng ? "PNG" : "JPEG"));
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string hex;
  for (std::size_t at = 0; at < picture.size(); at += kRecordWidth / 2) {
    hex.clear();
    for (const char byte : picture.substr(at, kRecordWidth / 2)) {
      const auto value = static_cast<unsigned char>(byte);
      hex += kDigits[value >> 4];
      hex += kDigits[value & 0x0F];
    }
    *qim += record(hex);
  }
  return true;
}

ReadStatus read(std::string_view path, Picture* picture) {
  // Only a plain file: a device or a pipe could block or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(platform::files::native_path(path), error))
    return ReadStatus::kCannotOpen;
  std::string text;
  if (platform::files::read_file(path, kMaxPictureBytes * 3, &text) != platform::status::kOk)
    return ReadStatus::kCannotOpen;
  std::vector<std::string_view> lines;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
      line.remove_suffix(1);
    lines.push_back(line);
  }
  // The version is the record's first five characters; the rest of the record is free.
  if (lines.empty() || !lines[0].starts_with(kVersion)) return ReadStatus::kNotQim;
  if (lines.size() < 2) return ReadStatus::kBadProperties;
  const std::string_view props = lines[1];
  const auto width = props.size() >= 6 ? read_unsigned(ConstField(props.data(), 6)) : std::nullopt;
  const auto height =
      props.size() >= 13 ? read_unsigned(ConstField(props.data() + 7, 6)) : std::nullopt;
  const std::string_view type = props.size() > 14 ? props.substr(14) : std::string_view();
  if (props.size() <= 14 || !width || !height || props[6] != ' ' || props[13] != ' ' ||
      (type != "JPEG" && type != "PNG"))
    return ReadStatus::kBadProperties;
  picture->properties = {static_cast<std::uint32_t>(*width), static_cast<std::uint32_t>(*height),
                         type == "PNG" ? Type::kPng : Type::kJpeg};
  picture->hex_records.clear();
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty()) continue;
    if (line.size() % 2 != 0 ||
        std::any_of(line.begin(), line.end(), [](char c) { return hex_value(c) < 0; }))
      return ReadStatus::kBadData;
    picture->hex_records.emplace_back(line);
  }
  return ReadStatus::kOk;
}

std::string decode(const Picture& picture) {
  std::string bytes;
  for (const std::string& line : picture.hex_records)
    for (std::size_t i = 0; i + 1 < line.size(); i += 2)
      bytes += static_cast<char>(hex_value(line[i]) << 4 | hex_value(line[i + 1]));
  return bytes;
}

}  // namespace quarn::docout::qim
