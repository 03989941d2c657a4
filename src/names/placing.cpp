#include "names/placing.hpp"

#include <algorithm>
#include <cstring>

namespace quarn::names {

void set_empty(frame::Field field) {
  frame::clear(field);
  if (!field.empty()) field[0] = kSlash;
}

bool is_empty(frame::ConstField field) {
  return !field.empty() && field[0] == kSlash && frame::trimmed(field.subspan(1)).empty();
}

void write_terminated(frame::Field field, std::string_view text) {
  const std::size_t n = std::min(text.size(), field.size());
  std::copy_n(text.data(), n, field.data());
  if (n < field.size()) field[n] = kSlash;
}

std::size_t split_pieces(std::string_view line, std::span<std::string_view> pieces) {
  std::ranges::fill(pieces, std::string_view{});
  if (pieces.empty()) return static_cast<std::size_t>(std::ranges::count(line, kSlash));
  const char* const stop = line.data() + line.size();
  const char* start = line.data();
  std::size_t piece = 0;
  while (piece + 1 < pieces.size()) {
    const auto* at = static_cast<const char*>(
        std::memchr(start, kSlash, static_cast<std::size_t>(stop - start)));
    if (at == nullptr) break;
    pieces[piece++] = {start, static_cast<std::size_t>(at - start)};
    start = at + 1;
  }
  pieces[piece] = {start, static_cast<std::size_t>(stop - start)};
  return piece + static_cast<std::size_t>(std::count(start, stop, kSlash));
}

namespace {

char upper(char c) {
  const bool lower = static_cast<unsigned char>(c - 'a') < 26;
  return static_cast<char>(c ^ (lower << 5));
}

// The placing rule in one pass over the piece: only its first `width` characters count,
// and of those the stretch from the first to the last that is not blank is kept.
template <bool kSlashesAreBlank, bool kUpperCase>
std::string_view place_piece(frame::Field field, std::string_view piece) {
  const auto blank = [](char c) { return c == ' ' || (kSlashesAreBlank && c == kSlash); };
  const std::string_view cut = piece.substr(0, field.size());
  std::size_t last = cut.size();
  while (last > 0 && blank(cut[last - 1]))
    --last;
  if (last == 0) {
    set_empty(field);
    return {};
  }
  std::size_t first = 0;
  while (blank(cut[first]))
    ++first;
  char* out = field.data();
  for (std::size_t i = first; i < last; ++i) {
    const char c = kSlashesAreBlank && cut[i] == kSlash ? ' ' : cut[i];
    *out++ = kUpperCase ? upper(c) : c;
  }
  // The terminator goes where the text ended before the shift, if that is inside the field.
  const bool terminated = last < field.size();
  const std::size_t length = static_cast<std::size_t>(out - field.data());
  if (terminated) *out++ = kSlash;
  std::fill(out, field.data() + field.size(), ' ');
  return {field.data(), terminated ? length : field.size()};
}

}  // namespace

std::string_view place(frame::Field field, std::string_view piece, Slashes slashes) {
  if (slashes == Slashes::kToSpaces) return place_piece<true, false>(field, piece);
  return place_piece<false, false>(field, piece);
}

std::string_view place_upper(frame::Field field, std::string_view piece) {
  return place_piece<false, true>(field, piece);
}

void upper_case(frame::Field text) {
  for (char& c : text)
    c = upper(c);
}

}  // namespace quarn::names
