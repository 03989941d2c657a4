#include "names/placing.hpp"

#include <algorithm>

namespace quarn::names {

void set_empty(frame::Field field) {
  frame::clear(field);
  if (!field.empty()) field[0] = kSlash;
}

bool is_empty(frame::ConstField field) {
  return !field.empty() && field[0] == kSlash && frame::trimmed(field.subspan(1)).empty();
}

std::string_view terminated_text(frame::ConstField field) {
  const auto end = std::find(field.begin(), field.end(), kSlash);
  return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

void write_terminated(frame::Field field, std::string_view text) {
  const std::size_t n = std::min(text.size(), field.size());
  std::copy_n(text.data(), n, field.data());
  if (n < field.size()) field[n] = kSlash;
}

std::size_t split_pieces(frame::ConstField line, std::span<std::string_view> pieces) {
  std::ranges::fill(pieces, std::string_view{});
  std::size_t slashes = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != kSlash) continue;
    if (slashes + 1 < pieces.size()) {
      pieces[slashes] = {line.data() + start, i - start};
      start = i + 1;
    }
    ++slashes;
  }
  if (!pieces.empty()) {
    pieces[std::min(slashes, pieces.size() - 1)] = {line.data() + start, line.size() - start};
  }
  return slashes;
}

void place(frame::Field field, std::string_view piece, Slashes slashes) {
  frame::put_text(field, piece);
  if (slashes == Slashes::kToSpaces) std::ranges::replace(field, kSlash, ' ');
  const std::size_t length = frame::trimmed(field).size();
  if (length == 0) {
    set_empty(field);
    return;
  }
  if (length < field.size()) field[length] = kSlash;
  const auto first = std::ranges::find_if(field, [](char c) { return c != ' '; });
  const auto kept = std::copy(first, field.end(), field.begin());
  std::fill(kept, field.end(), ' ');
}

void upper_case(frame::Field text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

}  // namespace quarn::names
