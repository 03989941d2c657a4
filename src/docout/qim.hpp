// QIM picture files: 128-character text records, one a line. Record 1 starts with the
// version "QIM00"; record 2 the properties: width and height in pixels (six digits each) and the
// picture type ("JPEG" or "PNG"), separated by single spaces; then the picture's bytes as
// hexadecimal text, 64 bytes (128 digits) a record, the last record padded with spaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::docout::qim {

inline constexpr std::string_view kVersion = "QIM00";
inline constexpr std::size_t kRecordWidth = 128;
// The largest picture file read or made (hex text doubles it).
inline constexpr std::size_t kMaxPictureBytes = 32 * 1024 * 1024;

enum class Type { kJpeg, kPng };

struct Properties {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  Type type = Type::kJpeg;
};

// The type and size of a JPEG or PNG picture, read from its own header; false when the
// bytes are neither or their header is cut short.
bool picture_properties(std::string_view bytes, Properties* properties);

// The QIM text of a JPEG or PNG picture; false when it is neither.
bool make(std::string_view picture, std::string* qim);

enum class ReadStatus { kOk, kCannotOpen, kNotQim, kBadProperties, kBadData };

struct Picture {
  Properties properties;
  std::vector<std::string> hex_records;  // the data records, trailing spaces dropped
};

// Reads a QIM file: kCannotOpen when it cannot be read, kNotQim without the version
// record, kBadProperties when record 2 does not follow the layout above, kBadData when a
// data record holds anything but hexadecimal digits.
ReadStatus read(std::string_view path, Picture* picture);

// The picture's bytes.
std::string decode(const Picture& picture);

}  // namespace quarn::docout::qim
