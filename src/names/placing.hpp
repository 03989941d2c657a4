// Fields of the name and address programs. Their pieces come in separated by "/", and each
// output text ends with a "/" right after its last character (the terminator): an empty
// field is "/" and spaces, and a field whose text reaches its last position has none.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "frame/codec.hpp"

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
// Writes `text` and its terminator from the start of the field and leaves what follows the
// terminator as it was. A text as wide as the field, or wider, is cut and gets none.
void write_terminated(frame::Field field, std::string_view text);

// Splits a keyed line at its "/" characters: pieces[k] is the stretch after the k-th "/" up
// to the next one, and the last element takes the whole rest of the line, further "/"
// included. Elements beyond the pieces the line holds are empty. Returns the number of "/"
// in the whole line.
std::size_t split_pieces(std::string_view line, std::span<std::string_view> pieces);

enum class Slashes { kKeep, kToSpaces };

// Places a keyed piece into an output field. The piece is moved in with its leading spaces
// and cut at the field's width, its "/" optionally turned into spaces; a blank result
// becomes "/" and spaces, any other gets the terminator after its last non-space character
// when there is room, and is then shifted left over its leading spaces. Since the cut comes
// first, a piece with leading spaces that is as wide as the field loses its tail and ends
// in the freed spaces, without terminator.
// Returns the field's text as placed: what stands before the terminator, or the whole field
// when it got none; empty for a blank result.
std::string_view place(frame::Field field, std::string_view piece,
                       Slashes slashes = Slashes::kKeep);
// The same, with the letters a-z of the piece put in upper case.
std::string_view place_upper(frame::Field field, std::string_view piece);

// The letter a-z as A-Z; every other byte as it is.
inline char upper(char c) {
  const bool lower = static_cast<unsigned char>(c - 'a') < 26;
  return static_cast<char>(c ^ (lower << 5));
}
// The letters a-z of the text as A-Z; every other byte is left as it is.
void upper_case(frame::Field text);

}  // namespace quarn::names
