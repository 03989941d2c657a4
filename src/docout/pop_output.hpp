// The rich-text output of POP and its four encoders (layout, line, text, font). All of them
// append to one Output: the 2,048-byte buffer of the document's current record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "quarn/quarn-m.h"

namespace quarn::docout {

inline constexpr std::size_t kBufferSize = 2048;
inline constexpr std::size_t kLayoutWidth = 512;
inline constexpr std::size_t kLineWidth = 768;
inline constexpr std::size_t kFontFieldWidth = 11;

// Control bytes of line texts and layout records (the public header's values).
inline constexpr char kEndMark = QUARN_POP_END_MARK;
inline constexpr char kTab = QUARN_POP_TAB;
inline constexpr char kLeft = QUARN_POP_ALIGN_LEFT;
inline constexpr char kCentre = QUARN_POP_ALIGN_CENTRE;
inline constexpr char kRight = QUARN_POP_ALIGN_RIGHT;
inline constexpr char kFontMarker = QUARN_POP_FONT;
inline constexpr char kTabMarker = QUARN_POP_TAB_STOPS;
inline constexpr char kCellMarker = QUARN_POP_CELLS;
inline constexpr char kParagraphMark = QUARN_POP_PARAGRAPH_END;
inline constexpr char kPageNumberMark = QUARN_POP_PAGE_NUMBER;

// Where a full buffer goes. A record longer than the buffer is passed on in pieces rather
// than cut, so that no text and no closing brace is lost.
class Spill {
 public:
  virtual void spill(const char* bytes, std::size_t size) = 0;

 protected:
  ~Spill() = default;
};

// The buffer of the record being built.
class Output {
 public:
  explicit Output(Spill& spill) : spill_(spill) {}

  // Rich-text words (control words, control symbols, braces, parameters).
  void word(std::string_view words);
  // Document text: when it starts with a letter or digit right after a control word, a
  // space first ends the word, which would otherwise swallow the text.
  void text(std::string_view text);
  // A decimal number without sign or leading zeros, as the parameter of the word before.
  void number(std::uint32_t value);
  // Ends the record with CR LF and hands everything to the spill.
  void end_record();
  // Hands what is buffered to the spill without ending the record.
  void flush();

  std::size_t size() const { return size_; }
  std::string_view buffered() const { return {buffer_, size_}; }

 private:
  void append(std::string_view bytes);

  Spill& spill_;
  char buffer_[kBufferSize];
  std::size_t size_ = 0;
  bool open_word_ = false;  // the output ends in a control word that text would extend
};

// Shows a warning of the encoders; false when the user chose to stop (Cancel).
class Warner {
 public:
  virtual bool warn(std::string_view warning, std::size_t position) = 0;

 protected:
  ~Warner() = default;
};

// Hundredths of an inch to twips, truncated.
std::uint32_t twips(std::uint32_t hundredths);

// POP-ENCODE-TEXT: the text without trailing spaces, "\", "{" and "}" escaped.
void encode_text(Output& out, frame::ConstField text);

// POP-SELECT-FONT: the font words when `wanted` differs from `current`, which then becomes
// `wanted`. An underline "F" in `wanted` stands for `underline`.
void select_font(Output& out, frame::ConstField wanted, frame::Field current, char underline);

// POP-ENCODE-LAYOUT: the tab stops or cell definitions of a 512-byte layout record. False
// when a warning was cancelled.
bool encode_layout(Output& out, frame::ConstField layout, Warner& warner);

// What the line encoder needs of the request record.
struct LineContext {
  char mode;                    // "C" or "F" table rows, else paragraphs
  frame::Field current_font;    // 11 bytes, updated
  char underline;               // for fonts with underline "F"
  frame::ConstField body_font;  // 11 bytes: selected when a paragraph opens
};

// POP-ENCODE-LINE: one 768-byte line. False when a warning was cancelled.
bool encode_line(Output& out, frame::ConstField line, const LineContext& context, Warner& warner);

}  // namespace quarn::docout
