#include "docout/pop_output.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace quarn::docout {
namespace {

// Characters that a reader would take as part of a control word right before them (a space
// would be taken as its delimiter and lost).
bool extends_word(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == ' ';
}

}  // namespace

std::uint32_t twips(std::uint32_t hundredths) {
  return hundredths * 1440 / 100;
}

void Output::append_in_pieces(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t room = kBufferSize - size_;
    const std::size_t n = std::min(room, bytes.size());
    std::memcpy(buffer_ + size_, bytes.data(), n);
    size_ += n;
    bytes.remove_prefix(n);
    if (size_ == kBufferSize) flush();
  }
}

void Output::word_in_pieces(std::string_view words) {
  word_pending_ = false;
  append_in_pieces(words);
  open_word_ = ends_in_control_word(words);
}

void Output::text(std::string_view text) {
  if (text.empty()) return;
  settle_word();
  if (open_word_ && extends_word(text.front())) append(" ");
  append(text);
  open_word_ = false;
}

void Output::number(std::uint32_t value) {
  char digits[10];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  open_word_ = true;
  word_pending_ = false;
}

}  // namespace quarn::docout
