// POP-SELECT-FONT: the words of a font specification, written only when the font changes.
#include <array>
#include <cstring>

#include "docout/pop_output.hpp"

namespace quarn::docout {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void select_font(Output& out, frame::ConstField wanted, frame::Field current, char underline) {
  if (std::memcmp(wanted.data(), current.data(), kFontFieldWidth) == 0) return;
  std::array<char, kFontFieldWidth> font;
  std::memcpy(font.data(), wanted.data(), kFontFieldWidth);
  if (font[5] == 'F') font[5] = underline;

  // A font digit that is not a digit would make a broken word: the table's first font.
  out.word("\\plain \\f");
  out.word(std::string_view(is_digit(font[1]) ? &font[1] : "0", 1));
  // A size that is not two digits is left to the reader's default.
  if (is_digit(font[2]) && is_digit(font[3])) {
    const int half_points = ((font[2] - '0') * 10 + (font[3] - '0')) * 2;
    const char size[3] = {static_cast<char>('0' + half_points / 100),
                          static_cast<char>('0' + half_points / 10 % 10),
                          static_cast<char>('0' + half_points % 10)};
    out.word("\\fs");
    out.word(std::string_view(size, 3));
  }
  if (font[4] == 'B') out.word("\\b");
  if (font[6] == 'I') out.word("\\i");
  switch (font[5]) {
    case 'U':
      out.word("\\ul");
      break;
    case 'D':
      out.word("\\uldb");
      break;
    case 'T':
      out.word("\\ulth");
      break;
    case 'W':
      out.word("\\ulw");
      break;
    default:
      break;
  }
  switch (font[7]) {
    case '0':
      out.word("\\nosupersub");
      break;
    case '1':
      out.word("\\super\\up2");
      break;
    case '2':
      out.word("\\sub\\dn2");
      break;
    default:
      break;
  }
  out.word(" ");
  std::memcpy(current.data(), wanted.data(), kFontFieldWidth);
}

}  // namespace quarn::docout
