#include "docout/pop_output.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace quarn::docout {
namespace {

// ASCII classes, without the locale: rich text is read byte by byte.
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when `bytes` ends in a control word ("\par", "\tx2160", "\sl-12"): a backslash,
// letters, and an optional parameter. A control symbol ("\~", "\{") or a space ends nothing.
bool ends_in_control_word(std::string_view bytes) {
  std::size_t end = bytes.size();
  while (end > 0 && is_digit(bytes[end - 1]))
    --end;
  if (end > 0 && end < bytes.size() && bytes[end - 1] == '-') --end;
  const std::size_t letters_end = end;
  while (end > 0 && is_letter(bytes[end - 1]))
    --end;
  return end < letters_end && end > 0 && bytes[end - 1] == '\\';
}

// Characters that a reader would take as part of a control word right before them (a space
// would be taken as its delimiter and lost).
bool extends_word(char c) {
  return is_letter(c) || is_digit(c) || c == '-' || c == ' ';
}

}  // namespace

std::uint32_t twips(std::uint32_t hundredths) {
  return hundredths * 1440 / 100;
}

void Output::append(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t room = kBufferSize - size_;
    const std::size_t n = std::min(room, bytes.size());
    std::memcpy(buffer_ + size_, bytes.data(), n);
    size_ += n;
    bytes.remove_prefix(n);
    if (size_ == kBufferSize) flush();
  }
}

void Output::word(std::string_view words) {
  if (words.empty()) return;
  append(words);
  open_word_ = ends_in_control_word(words);
}

void Output::text(std::string_view text) {
  if (text.empty()) return;
  if (open_word_ && extends_word(text.front())) append(" ");
  append(text);
  open_word_ = false;
}

void Output::number(std::uint32_t value) {
  char digits[10];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  open_word_ = true;
}

void Output::end_record() {
  append("\r\n");
  open_word_ = false;
  flush();
}

void Output::flush() {
  if (size_ == 0) return;
  spill_.spill(buffer_, size_);
  size_ = 0;
}

}  // namespace quarn::docout
