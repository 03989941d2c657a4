// POP-ENCODE-LAYOUT: the tab stops and table cells of a layout record.
#include <string_view>

#include "docout/pop_output.hpp"

namespace quarn::docout {
namespace {

constexpr std::size_t kTabBlock = 11;
constexpr std::size_t kCellBlock = 15;

constexpr std::string_view kTabOverrun =
    "TAB BLOCK: Layout buffer was overrun or end of line missing. Document may appear "
    "incorrect.";
constexpr std::string_view kCellOverrun =
    "CELL BLOCK: Layout buffer was overrun or end of line missing. Document may appear "
    "incorrect.";
constexpr std::string_view kEndMissing =
    "Layout end of line missing. Document may appear incorrect.";
constexpr std::string_view kBadTab = "Layout tab style is invalid.  Document may appear incorrect.";
constexpr std::string_view kBadBorder =
    "Layout cell border style is invalid.  Document may appear incorrect.";

// A four-digit position in hundredths of an inch as twips; the sign zone is ignored and a
// position that is not a number counts as 0.
std::uint32_t position_twips(frame::ConstField digits) {
  const auto value = frame::read_signed(digits);
  if (!value) return 0;
  return twips(static_cast<std::uint32_t>(*value < 0 ? -*value : *value));
}

std::string_view tab_kind(char kind) {
  switch (kind) {
    case 'L':
      return "\\tx";
    case 'R':
      return "\\tqr\\tx";
    case 'C':
      return "\\tqc\\tx";
    case 'D':
      return "\\tqdec\\tx";
    default:
      return {};
  }
}

std::string_view border_style(char code) {
  switch (code) {
    case '1':
      return "\\brdrs";
    case '2':
      return "\\brdrdb";
    case '3':
      return "\\brdrtriple";
    case 'S':
      return "\\brdrsh";
    case 'T':
      return "\\brdrth";
    default:
      return {};
  }
}

constexpr std::string_view kBorderWords[4] = {"\\clbrdrt\\brdrw5", "\\clbrdrl\\brdrw5",
                                              "\\clbrdrb\\brdrw5", "\\clbrdrr\\brdrw5"};

}  // namespace

bool encode_layout(Output& out, frame::ConstField layout, Warner& warner) {
  const std::size_t end = frame::trimmed(layout).size();
  // A blank layout declares nothing: no stops, no cells and nothing to warn about.
  if (end == 0) return true;
  std::size_t i = 0;
  while (i < end) {
    const char c = layout[i];
    if (c == kEndMark) return true;
    if (c == kTabMarker) {
      // A block must lie wholly inside the record; one that does not cannot be read.
      if (i + kTabBlock > layout.size()) return warner.warn(kTabOverrun, i + 1);
      const std::string_view kind = tab_kind(layout[i + 5]);
      if (kind.empty()) {
        if (!warner.warn(kBadTab, i + 1)) return false;
      } else {
        out.word(kind);
        out.number(position_twips(layout.subspan(i + 1, 4)));
      }
      i += kTabBlock;
    } else if (c == kCellMarker) {
      if (i + kCellBlock > layout.size()) return warner.warn(kCellOverrun, i + 1);
      for (std::size_t side = 0; side < 4; ++side) {
        const char code = layout[i + 5 + side];
        if (code == ' ') continue;
        const std::string_view style = border_style(code);
        if (style.empty()) {
          if (!warner.warn(kBadBorder, i + 1)) return false;
          continue;
        }
        out.word(kBorderWords[side]);
        out.word(style);
      }
      out.word("\\cellx");
      out.number(position_twips(layout.subspan(i + 1, 4)));
      out.word(" ");
      i += kCellBlock;
    } else {
      ++i;
    }
  }
  return warner.warn(kEndMissing, end);
}

}  // namespace quarn::docout
