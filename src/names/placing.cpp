#include "names/placing.hpp"

#include <algorithm>
#include <cstring>

namespace quarn::names {

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

// The placing rule: only the piece's first `width` characters count, and of those the
// stretch from the first to the last that is not blank is kept.
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
  const std::size_t length = last - first;
  frame::put_text(field, cut.substr(first, length));
  const frame::Field text = field.first(length);
  if constexpr (kSlashesAreBlank) {
    // Each byte is rewritten, "/" or not: a long run of short pieces has no branch per
    // character to mispredict.
    for (char& c : text)
      c = c == kSlash ? ' ' : c;
  }
  if constexpr (kUpperCase) upper_case(text);
  // The terminator goes where the text ended before the shift, if that is inside the field.
  if (last == field.size()) return frame::text_of(field);
  field[length] = kSlash;
  return frame::text_of(text);
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
