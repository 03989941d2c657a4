// The rich-text output of POP and its four encoders (layout, line, text, font). All of them
// append to one Output: the 2,048-byte buffer of the document's current record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// True when `bytes` ends in a control word ("\par", "\tx2160", "\sl-12"): a backslash,
// letters, and an optional parameter. A control symbol ("\~", "\{") or a space ends nothing.
constexpr bool ends_in_control_word(std::string_view bytes) {
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto is_letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  std::size_t end = bytes.size();
  while (end > 0 && is_digit(bytes[end - 1]))
    --end;
  if (end > 0 && end < bytes.size() && bytes[end - 1] == '-') --end;
  const std::size_t letters_end = end;
  while (end > 0 && is_letter(bytes[end - 1]))
    --end;
  return end < letters_end && end > 0 && bytes[end - 1] == '\\';
}

// The buffer of the record being built. Every word of a document passes through here, so
// the usual case (the bytes fit) is written inline and only a full buffer takes a call.
class Output {
 public:
  explicit Output(Spill& spill) : spill_(spill) {}

  // Rich-text words (control words, control symbols, braces, parameters). Always inlined:
  // a report writes tens of words a line, and a literal word copied inline is a few moves
  // where a call would add a call and a library copy to each.
  [[gnu::always_inline]] void word(std::string_view words) {
    if (words.empty()) return;
    if (words.size() >= kBufferSize - size_) return word_in_pieces(words);
    // Whether the word is an open control word matters only to text that follows it, so
    // it is worked out then, from the buffer, and not for every word.
    last_word_ = size_;
    std::memcpy(buffer_ + size_, words.data(), words.size());
    size_ += words.size();
    word_pending_ = true;
  }
  // Document text: when it starts with a letter or digit right after a control word, a
  // space first ends the word, which would otherwise swallow the text.
  void text(std::string_view text);
  // A decimal number without sign or leading zeros, as the parameter of the word before.
  void number(std::uint32_t value);
  // Ends the record with CR LF and hands everything to the spill.
  void end_record() {
    append("\r\n");
    open_word_ = false;
    word_pending_ = false;
    flush();
  }
  // Hands what is buffered to the spill without ending the record.
  void flush() {
    if (size_ == 0) return;
    settle_word();
    spill_.spill(buffer_, size_);
    size_ = 0;
  }

  std::size_t size() const { return size_; }
  std::string_view buffered() const { return {buffer_, size_}; }

 private:
  void append(std::string_view bytes) {
    // Short of full: nothing to hand on yet.
    if (bytes.size() < kBufferSize - size_) {
      std::memcpy(buffer_ + size_, bytes.data(), bytes.size());
      size_ += bytes.size();
    } else {
      append_in_pieces(bytes);
    }
  }
  void append_in_pieces(std::string_view bytes);
  void word_in_pieces(std::string_view words);
  // Works out `open_word_` for the word that the buffer ends in, if it has not been.
  void settle_word() {
    if (!word_pending_) return;
    open_word_ = ends_in_control_word(std::string_view(buffer_ + last_word_, size_ - last_word_));
    word_pending_ = false;
  }

  Spill& spill_;
  char buffer_[kBufferSize];
  std::size_t size_ = 0;
  bool open_word_ = false;  // the output ends in a control word that text would extend
  // The buffer ends in a whole word, from `last_word_` on, not yet looked at.
  bool word_pending_ = false;
  std::size_t last_word_ = 0;
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
