// Text at the tool's boundary: the terminal's UTF-8 and the records' code page 1252.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"

namespace quarn::cli {
namespace {

Encoding current = Encoding::cp1252;

// Code page 1252 bytes 0x80-0x9F as Unicode; 0 where the code page has no character.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character of a code page 1252 byte; 0 for the five bytes without one.
char32_t unicode_of(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

// The code page 1252 byte of a character, or -1.
int byte_of(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  const auto at = std::find(kHigh.begin(), kHigh.end(), c);
  if (c == 0 || at == kHigh.end()) return -1;
  return 0x80 + static_cast<int>(at - kHigh.begin());
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void append_hex(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

std::string hex_name(char32_t c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
    digits += kHex[c >> shift & 0xF];
  return "U+" + digits;
}

// Decodes one UTF-8 character at `at`; returns its length, 0 when the bytes are not UTF-8.
std::size_t decode(std::string_view text, std::size_t at, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t least = 0;
  if (b0 < 0x80) {
    c = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2, c = b0 & 0x1F, least = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, c = b0 & 0x0F, least = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, c = b0 & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[at + i]);
    if ((b & 0xC0) != 0x80) return 0;
    c = c << 6 | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

Encoding encoding() {
  return current;
}

void set_encoding(Encoding encoding) {
  current = encoding;
}

std::string to_record(std::string_view text) {
  if (current == Encoding::raw) return std::string(text);
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = 0;
    const std::size_t length = decode(text, at, c);
    if (length == 0) {
      std::string byte;
      append_hex(byte, static_cast<unsigned char>(text[at]));
      throw UsageError{"the text " + quoted(text) + " is not UTF-8 (byte " + byte + " at " +
                       std::to_string(at + 1) +
                       "); give it in UTF-8, or pass --encoding raw to take its bytes as they "
                       "are"};
    }
    const int byte = byte_of(c);
    if (byte < 0) {
      throw UsageError{"the character '" + std::string(text.substr(at, length)) + "' (" +
                       hex_name(c) + ") in " + quoted(text) +
                       " has no form in code page 1252, the records' text encoding; write it "
                       "another way (or pass --encoding raw to give the bytes as they are)"};
    }
    out += static_cast<char>(byte);
    at += length;
  }
  return out;
}

std::string record_text(std::string_view text, std::span<const char> field, std::string_view what) {
  std::string bytes = to_record(text);
  if (bytes.size() > field.size()) {
    throw UsageError{std::string(what) + " has " + std::to_string(bytes.size()) +
                     " characters; at most " + std::to_string(field.size()) + " fit"};
  }
  return bytes;
}

std::string to_terminal(std::string_view bytes) {
  if (current == Encoding::raw) return std::string(bytes);
  std::string out;
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    const char32_t c = unicode_of(b);
    if (c == 0 && b != 0)
      append_hex(out, b);
    else
      append_utf8(out, c);
  }
  return out;
}

std::string printable(std::span<const char> bytes) {
  std::string out;
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += ch;
    } else if (b >= 0x80 && current == Encoding::cp1252 && unicode_of(b) != 0) {
      append_utf8(out, unicode_of(b));
    } else {
      append_hex(out, b);
    }
  }
  return out;
}

void put_field(std::span<char> field, std::string_view bytes) {
  const std::size_t n = std::min(field.size(), bytes.size());
  std::copy_n(bytes.begin(), n, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
}

std::string_view trimmed(std::span<const char> field) {
  std::size_t n = field.size();
  while (n > 0 && field[n - 1] == ' ')
    --n;
  return {field.data(), n};
}

std::string quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

std::optional<std::string> unreadable(const std::string& path) {
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) return "cannot open " + quoted(path) + ": " + std::strerror(errno);
  std::fclose(probe);
  return std::nullopt;
}

}  // namespace quarn::cli
