#include "frame/codec.hpp"

#include <cstring>

#include "frame/host.hpp"

namespace quarn::frame {

std::string_view trimmed(ConstField field) {
  std::size_t n = field.size();
  // Wide fields are mostly padding: eight bytes at a time, looked at in fours (one test a
  // block), before the last bytes one by one.
  constexpr std::uint64_t kEightSpaces = 0x2020202020202020;
  const auto not_spaces = [&](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, field.data() + at, 8);
    return word ^ kEightSpaces;
  };
  constexpr std::size_t kBlock = 32;
  while (n >= kBlock) {
    std::uint64_t differs = 0;
    for (std::size_t at = n - kBlock; at < n; at += 8)
      differs |= not_spaces(at);
    if (differs != 0) break;
    n -= kBlock;
  }
  while (n >= 8 && not_spaces(n - 8) == 0)
    n -= 8;
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field.data(), n};
}

bool write_signed(Field field, std::int64_t value) {
  return write_signed(field, value, sign_convention());
}

namespace {
std::uint8_t byte(const char* at, int i) {
  return static_cast<std::uint8_t>(at[i]);
}
}  // namespace

std::int16_t read_le16(const char* at) {
  return static_cast<std::int16_t>(byte(at, 0) | byte(at, 1) << 8);
}
std::int32_t read_le32(const char* at) {
  return static_cast<std::int32_t>(std::uint32_t{byte(at, 0)} | std::uint32_t{byte(at, 1)} << 8 |
                                   std::uint32_t{byte(at, 2)} << 16 |
                                   std::uint32_t{byte(at, 3)} << 24);
}
std::int16_t read_be16(const char* at) {
  return static_cast<std::int16_t>(byte(at, 0) << 8 | byte(at, 1));
}
std::int32_t read_be32(const char* at) {
  return static_cast<std::int32_t>(std::uint32_t{byte(at, 0)} << 24 |
                                   std::uint32_t{byte(at, 1)} << 16 |
                                   std::uint32_t{byte(at, 2)} << 8 | std::uint32_t{byte(at, 3)});
}

namespace {
void put_bytes(char* at, std::uint32_t value, int count, bool big_endian) {
  for (int i = 0; i < count; ++i) {
    const int shift = 8 * (big_endian ? count - 1 - i : i);
    at[i] = static_cast<char>((value >> shift) & 0xFF);
  }
}
}  // namespace

void write_le16(char* at, std::int16_t value) {
  put_bytes(at, static_cast<std::uint16_t>(value), 2, false);
}
void write_le32(char* at, std::int32_t value) {
  put_bytes(at, static_cast<std::uint32_t>(value), 4, false);
}
void write_be16(char* at, std::int16_t value) {
  put_bytes(at, static_cast<std::uint16_t>(value), 2, true);
}
void write_be32(char* at, std::int32_t value) {
  put_bytes(at, static_cast<std::uint32_t>(value), 4, true);
}

}  // namespace quarn::frame
