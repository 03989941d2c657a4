// POP-ENCODE-LINE: one line of text with its control bytes as rich text.
#include <string_view>

#include "docout/pop_output.hpp"

namespace quarn::docout {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kStyleOverrun =
    "STYLE BLOCK: Data buffer was overrun or end of line missing. Document may appear "
    "incorrect.";

bool is_table(char mode) {
  return mode == 'C' || mode == 'F';
}

// Bytes copied as they are: everything but the control bytes, the characters rich text
// escapes, the hyphen and the space.
bool is_plain(char c) {
  switch (c) {
    case kEndMark:
    case kTab:
    case kLeft:
    case kCentre:
    case kRight:
    case kFontMarker:
    case kParagraphMark:
    case kPageNumberMark:
    case '\\':
    case '{':
    case '}':
    case '-':
    case ' ':
      return false;
    default:
      return true;
  }
}

class LineEncoder {
 public:
  LineEncoder(Output& out, const LineContext& context) : out_(out), context_(context) {}

  bool run(frame::ConstField line, Warner& warner) {
    const std::size_t end = frame::trimmed(line).size();
    std::size_t i = 0;
    while (i < end) {
      const char c = line[i];
      if (is_plain(c)) {
        std::size_t run = i + 1;
        while (run < end && is_plain(line[run]))
          ++run;
        open();
        out_.text(std::string_view(line.data() + i, run - i));
        text_written_ = true;
        i = run;
        continue;
      }
      switch (c) {
        case kEndMark:
          out_.word(table_ ? "\\cell \\row"sv : "\\par"sv);
          // The next font words are written even for the same font.
          frame::clear(context_.current_font);
          break;
        case kTab:
          out_.word(table_ ? "\\cell "sv : "\\tab "sv);
          if (!font_selected_) {
            out_.word("\\plain ");
            // "\plain" dropped the font, so the next selection must write it again.
            frame::clear(context_.current_font);
          }
          font_selected_ = false;
          text_written_ = false;
          opened_ = false;
          break;
        case kLeft:
        case kCentre:
        case kRight:
          open();
          out_.word(c == kLeft ? "\\ql "sv : c == kCentre ? "\\qc "sv : "\\qr "sv);
          alignment_ = c;
          text_written_ = false;
          break;
        case kFontMarker:
          if (i + kFontFieldWidth > line.size()) return warner.warn(kStyleOverrun, i + 1);
          // In a table the cell's paragraph must be marked as one, font first or not.
          if (!opened_ && table_) out_.word("\\pard \\intbl");
          opened_ = true;
          select_font(out_, line.subspan(i, kFontFieldWidth), context_.current_font,
                      context_.underline);
          font_selected_ = true;
          i += kFontFieldWidth;
          continue;
        case kParagraphMark:
          open();
          out_.word("\\par");
          break;
        case kPageNumberMark:
          open();
          out_.word("\\chpgn ");
          // The page number is text: spaces after it belong to the stretch.
          text_written_ = true;
          break;
        case '\\':
        case '{':
        case '}': {
          open();
          const char escaped[2] = {'\\', c};
          out_.word(std::string_view(escaped, 2));
          text_written_ = true;
          break;
        }
        case '-':
          open();
          out_.word("\\_");
          text_written_ = true;
          break;
        case ' ':
          // Leading spaces of a right-aligned stretch would push its text off the margin. A
          // space that opens the paragraph (after a tab) starts it left-aligned and is kept.
          if (opened_ && alignment_ == kRight && !text_written_) break;
          open();
          out_.word("\\~");
          break;
        default:
          break;
      }
      ++i;
    }
    return true;
  }

 private:
  void open() {
    if (opened_) return;
    if (table_) out_.word("\\pard \\intbl");
    alignment_ = kLeft;
    select_font(out_, context_.body_font, context_.current_font, context_.underline);
    font_selected_ = true;
    opened_ = true;
  }

  Output& out_;
  const LineContext& context_;
  const bool table_ = is_table(context_.mode);
  char alignment_ = kLeft;
  bool font_selected_ = false;
  bool text_written_ = false;
  bool opened_ = false;
};

}  // namespace

bool encode_line(Output& out, frame::ConstField line, const LineContext& context, Warner& warner) {
  return LineEncoder(out, context).run(line, warner);
}

}  // namespace quarn::docout
