// Fields of the name and address programs. Their pieces come in separated by "/", and each
// output text ends with a "/" right after its last character (the terminator): an empty
// field is "/" and spaces, and a field whose text reaches its last position has none.
//
// The fields are short and their widths known where they are placed, so placing works on a
// field's whole width at once, in steps of a fixed size that the compiler turns into a few
// vector moves, compares and blends, rather than on as many characters as a text has (each
// such copy or fill of a length known only at run time is a call into the C library).
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <span>
#include <string_view>

#include "frame/codec.hpp"
#include "names/blocks.hpp"

namespace quarn::names {

inline constexpr char kSlash = '/';

// Makes the field empty: "/" and spaces.
inline void set_empty(frame::Field field) {
  frame::clear(field);
  if (!field.empty()) field[0] = kSlash;
}
// True when the field is "/" and spaces.
inline bool is_empty(frame::ConstField field) {
  return !field.empty() && field[0] == kSlash && frame::is_blank(field.subspan(1));
}

// A field is placed in blocks (kBlock bytes, a vector register): its width rounded up to
// whole blocks is read and worked out, and its own width of that is stored.
template <std::size_t kWidth>
inline constexpr std::size_t kBlocksOf = ((kWidth + kBlock - 1) / kBlock) * kBlock;

// The widest line and the widest field of the programs that place pieces.
inline constexpr std::size_t kMaxLineWidth = 40;
inline constexpr std::size_t kMaxFieldWidth = 40;
static_assert(kMaxLineWidth <= 64, "a line's characters are marked in a Mask");

// A keyed line as it is split: the line, then spaces, as many as a widest field's blocks.
using LineBuffer = std::array<char, kMaxLineWidth + kBlocksOf<kMaxFieldWidth>>;

// A piece of a keyed line: where it starts in the line's buffer, which has at least a widest
// field's blocks after it (a field can be read in whole blocks from any of its characters),
// and masks of its characters that are not spaces and of those that are "/", none past its
// end.
struct Piece {
  const char* text = nullptr;
  Mask non_spaces = 0;
  Mask slashes = 0;
};

// A keyed line without its trailing spaces (blanks that placing would drop from the last
// piece anyway), split at its "/" characters into `kPieces` pieces: piece k is the stretch
// after the k-th "/" up to the next one, and the last piece takes the whole rest of the
// line, further "/" included. Pieces beyond those the line holds are empty, at its end. The
// line is copied into a buffer followed by spaces, which is what lets its pieces be read in
// whole blocks.
template <std::size_t kPieces>
class KeyedLine {
 public:
  template <std::size_t kWidth>
  explicit KeyedLine(const char (&line)[kWidth]) {
    static_assert(kWidth <= kMaxLineWidth && kPieces > 0);
    std::copy_n(line, kWidth, buffer_.data());
    frame::clear(std::span(buffer_).subspan(kWidth));
    // The line itself is looked at, not the copy: a read of the copy across the blocks it
    // was written in waits until the copy has reached the cache, and by the time the pieces
    // are placed it has.
    const Blocks<kWidth> blocks(line);
    const Mask non_spaces = ~blocks.equal(' ') & first_bits(kWidth);
    const Mask slashes = blocks.equal(kSlash);
    const std::size_t length = static_cast<std::size_t>(std::bit_width(non_spaces));
    empty_ = length == 0;
    Mask ends = slashes;  // the "/" not passed yet
    slashes_ = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k < kPieces; ++k) {
      const bool last = k + 1 == kPieces || ends == 0;
      const std::size_t end = last ? length : static_cast<std::size_t>(std::countr_zero(ends));
      const Mask in_piece = first_bits(end - start);
      pieces_[k] = {buffer_.data() + start, non_spaces >> start & in_piece,
                    slashes >> start & in_piece};
      if (!last) {
        ++slashes_;
        ends &= ends - 1;
      }
      start = last ? length : end + 1;
    }
    slashes_ += ends != 0;
  }

  // True when the line is blank.
  bool empty() const { return empty_; }
  // The number of "/" in the line, up to `kPieces`: a line with more counts as one with
  // `kPieces` (more pieces than asked for, which is all that the programs look at).
  std::size_t slashes() const { return slashes_; }
  // The k-th piece; empty when the line holds fewer.
  const Piece& operator[](std::size_t k) const { return pieces_[k]; }

 private:
  LineBuffer buffer_;
  std::array<Piece, kPieces> pieces_;
  std::size_t slashes_;
  bool empty_;
};

// A field as placed: the field, and how many of its characters are its text (those before
// the terminator, or all of them when it got none; none for a blank result).
template <std::size_t kWidth>
struct Placed {
  std::span<const char, kWidth> field;
  std::size_t length;

  bool empty() const { return length == 0; }
};

// Copies a field into a field of another record, or a table's value into a record, cut or
// padded with spaces as frame::put_text does. The two never overlap, so the copy has a fixed
// size that the compiler lays out as a few moves (put_text allows an overlap, and its copy is
// a call into the C library). Both are char arrays or std::array<char, N>: their width is
// their size.
template <class To, class From>
void copy_field(To& to, const From& from) {
  static_assert(sizeof(*std::data(to)) == 1 && sizeof(*std::data(from)) == 1);
  constexpr std::size_t kCopied = std::min(sizeof(To), sizeof(From));
  std::memcpy(std::data(to), std::data(from), kCopied);
  std::fill_n(std::data(to) + kCopied, sizeof(To) - kCopied, ' ');
}

// The letter a-z as A-Z; every other byte as it is.
inline char upper(char c) {
  const bool lower = static_cast<unsigned char>(c - 'a') < 26;
  return static_cast<char>(c ^ (lower << 5));
}

enum class Slashes { kKeep, kToSpaces };

namespace detail {

// What stands after a placed text: spaces with the terminator among them. A field takes it
// from the window of this strip that starts as far before its "/" as the terminator is from
// the field's start: one read a block, rather than each position compared with the
// terminator's.
inline constexpr auto kAfterText = [] {
  std::array<char, kMaxFieldWidth + 1 + kBlocksOf<kMaxFieldWidth>> strip;
  std::ranges::fill(strip, ' ');
  strip[kMaxFieldWidth] = kSlash;
  return strip;
}();

// The placing rule: only the piece's first `kWidth` characters count, and of those the
// stretch from the first to the last that is not blank is kept.
template <bool kSlashesAreBlank, bool kUpperCase, std::size_t kWidth>
Placed<kWidth> place_piece(std::span<char, kWidth> field, const Piece& piece) {
  static_assert(kWidth <= kMaxFieldWidth && kWidth < 128);
  Mask kept = piece.non_spaces & first_bits(kWidth);
  if constexpr (kSlashesAreBlank) kept &= ~piece.slashes;
  if (kept == 0) {
    set_empty(field);
    return {field, 0};
  }
  const auto first = static_cast<std::size_t>(std::countr_zero(kept));
  const auto last = static_cast<std::size_t>(std::bit_width(kept));
  const std::size_t length = last - first;

  // The field is worked out whole and then stored at once, written once: each position
  // shows the text's character there, "/" as a space and a-z in upper case when asked, or
  // after the text what kAfterText puts there: a space, or the terminator where the text
  // ended before the shift when that is inside the field. Positions are compared as signed
  // bytes (all are below 128), so that a whole block is decided at once; the text is read
  // whole, past its end too (the line's buffer has room for that), since a read that
  // depends on a test would be done one character at a time.
  std::array<char, kBlocksOf<kWidth>> placed;
  std::copy_n(piece.text + first, placed.size(), placed.data());
  if constexpr (kSlashesAreBlank) {
    for (char& c : placed)
      c = c == kSlash ? ' ' : c;
  }
  if constexpr (kUpperCase) {
    for (char& c : placed)
      c = upper(c);
  }
  const std::size_t terminator = last < kWidth ? length : kWidth;
  const char* const after_text = kAfterText.data() + kMaxFieldWidth - terminator;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const char text = placed[i];
    const char after = after_text[i];
    placed[i] = static_cast<std::int8_t>(i) < static_cast<std::int8_t>(length) ? text : after;
  }
  std::copy_n(placed.data(), kWidth, field.data());
  // A text that reached the field's end before the shift got no terminator: all of the field
  // is its text.
  return {field, last == kWidth ? kWidth : length};
}

}  // namespace detail

// Places a keyed piece into an output field. The piece is moved in with its leading spaces
// and cut at the field's width, its "/" optionally turned into spaces; a blank result
// becomes "/" and spaces, any other gets the terminator after its last non-space character
// when there is room, and is then shifted left over its leading spaces. Since the cut comes
// first, a piece with leading spaces that is as wide as the field loses its tail and ends
// in the freed spaces, without terminator.
// Returns the field's text as placed: what stands before the terminator, or the whole field
// when it got none; empty for a blank result.
template <std::size_t kWidth>
Placed<kWidth> place(std::span<char, kWidth> field, const Piece& piece,
                     Slashes slashes = Slashes::kKeep) {
  if (slashes == Slashes::kToSpaces) return detail::place_piece<true, false>(field, piece);
  return detail::place_piece<false, false>(field, piece);
}
template <std::size_t kWidth>
Placed<kWidth> place(char (&field)[kWidth], Piece piece, Slashes slashes = Slashes::kKeep) {
  return place(std::span<char, kWidth>(field), piece, slashes);
}
// The same, with the letters a-z of the piece put in upper case.
template <std::size_t kWidth>
Placed<kWidth> place_upper(char (&field)[kWidth], Piece piece) {
  return detail::place_piece<false, true>(std::span<char, kWidth>(field), piece);
}

}  // namespace quarn::names
