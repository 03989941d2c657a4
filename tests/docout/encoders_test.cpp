// The rich-text encoders: text escapes, layouts, lines and fonts, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docout/pop_output.hpp"

namespace quarn::docout {
namespace {

struct StringSpill : Spill {
  void spill(const char* bytes, std::size_t size) override { text.append(bytes, size); }
  std::string text;
};

struct ScriptedWarner : Warner {
  bool warn(std::string_view warning, std::size_t position) override {
    warnings.push_back(std::string(warning) + "@" + std::to_string(position));
    return !cancel;
  }
  std::vector<std::string> warnings;
  bool cancel = false;
};

// A fixed-width field of `width` holding `text`, space-padded.
std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string font(std::string_view code) {
  return padded("\x14" + std::string(code), kFontFieldWidth);
}

class EncoderTest : public ::testing::Test {
 protected:
  // Everything the output holds, flushed.
  std::string written() {
    out.flush();
    return spill.text;
  }
  std::string layout(std::string_view blocks) {
    const std::string record = padded(std::string(blocks), kLayoutWidth);
    encode_layout(out, frame::ConstField(record.data(), record.size()), warner);
    return written();
  }
  std::string line(std::string_view text, char mode = ' ') {
    const std::string record = padded(std::string(text), kLineWidth);
    const LineContext context{mode, frame::Field(current), 'U',
                              frame::ConstField(body.data(), body.size())};
    encode_line(out, frame::ConstField(record.data(), record.size()), context, warner);
    return written();
  }

  StringSpill spill;
  Output out{spill};
  ScriptedWarner warner;
  std::string body = font("110");
  char current[kFontFieldWidth];

  void SetUp() override { std::fill(std::begin(current), std::end(current), ' '); }
};

TEST_F(EncoderTest, TextEscapesBracesAndBackslashesAndDropsTrailingSpaces) {
  const std::string text = padded("a{b}\\c", 100);
  encode_text(out, frame::ConstField(text.data(), text.size()));
  EXPECT_EQ(written(), "a\\{b\\}\\\\c");
  const std::string blank = padded("", 100);
  encode_text(out, frame::ConstField(blank.data(), blank.size()));
  EXPECT_EQ(written(), "a\\{b\\}\\\\c");
}

TEST_F(EncoderTest, FontWordsForEachAttribute) {
  struct Case {
    std::string code;
    std::string words;
  };
  const Case cases[] = {
      {"112BUI0", "\\plain \\f1\\fs024\\b\\i\\ul\\nosupersub "},
      {"010 D 1", "\\plain \\f0\\fs020\\uldb\\super\\up2 "},
      {"208 T 2", "\\plain \\f2\\fs016\\ulth\\sub\\dn2 "},
      {"099 W", "\\plain \\f0\\fs198\\ulw "},
      {"110 F", "\\plain \\f1\\fs020\\ul "},  // "F" takes the caller's code, here "U"
      {"110 X", "\\plain \\f1\\fs020 "},      // no underline
      {"1AB", "\\plain \\f1 "},               // a size that is not digits is left out
      {"X10", "\\plain \\f0\\fs020 "},        // a font that is not a digit is font 0
  };
  for (const Case& c : cases) {
    StringSpill s;
    Output o(s);
    char cur[kFontFieldWidth];
    std::fill(std::begin(cur), std::end(cur), ' ');
    const std::string code = font(c.code);
    select_font(o, frame::ConstField(code.data(), code.size()), frame::Field(cur), 'U');
    o.flush();
    EXPECT_EQ(s.text, c.words) << c.code;
    EXPECT_EQ(std::string(cur, kFontFieldWidth), code) << "the font as given is current";
  }
}

TEST_F(EncoderTest, TheSameFontTwiceIsWrittenOnce) {
  const std::string code = font("112BUI0");
  select_font(out, frame::ConstField(code.data(), code.size()), frame::Field(current), ' ');
  select_font(out, frame::ConstField(code.data(), code.size()), frame::Field(current), ' ');
  EXPECT_EQ(written(), "\\plain \\f1\\fs024\\b\\i\\ul\\nosupersub ");
}

TEST_F(EncoderTest, TabStopsOfEachKind) {
  EXPECT_EQ(layout("\x15"
                   "0150R     \x15"
                   "0100L     \x15"
                   "0200C     \x15"
                   "0300D     \x03"),
            "\\tqr\\tx2160\\tx1440\\tqc\\tx2880\\tqdec\\tx4320");
  EXPECT_TRUE(warner.warnings.empty());
}

TEST_F(EncoderTest, CellBordersOfEachCode) {
  EXPECT_EQ(layout("\x16"
                   "02001         \x03"),
            "\\clbrdrt\\brdrw5\\brdrs\\cellx2880 ");
  spill.text.clear();
  EXPECT_EQ(layout("\x16"
                   "0100123ST     \x16"
                   "0150          \x03"),
            "\\clbrdrt\\brdrw5\\brdrs\\clbrdrl\\brdrw5\\brdrdb\\clbrdrb\\brdrw5\\brdrtriple"
            "\\clbrdrr\\brdrw5\\brdrsh\\cellx1440 \\cellx2160 ");
  spill.text.clear();
  EXPECT_EQ(layout("\x16"
                   "0100   T      \x03"),
            "\\clbrdrr\\brdrw5\\brdrth\\cellx1440 ");
}

TEST_F(EncoderTest, LayoutWarnings) {
  struct Case {
    std::string layout;
    std::string output;
    std::string warning;
  };
  const std::string far_tab = std::string(502, ' ') +
                              "\x15"
                              "0100L";
  const std::string far_cell = std::string(498, ' ') +
                               "\x16"
                               "0100";
  const Case cases[] = {
      {"\x15"
       "0100X     \x03",
       "", "Layout tab style is invalid.  Document may appear incorrect.@1"},
      {"  \x16"
       "0100X         \x03",
       "\\cellx1440 ", "Layout cell border style is invalid.  Document may appear incorrect.@3"},
      {"\x15"
       "0100L",
       "\\tx1440", "Layout end of line missing. Document may appear incorrect.@6"},
      {far_tab, "",
       "TAB BLOCK: Layout buffer was overrun or end of line missing. Document may appear "
       "incorrect.@503"},
      {far_cell, "",
       "CELL BLOCK: Layout buffer was overrun or end of line missing. Document may appear "
       "incorrect.@499"},
  };
  for (const Case& c : cases) {
    spill.text.clear();
    warner.warnings.clear();
    EXPECT_EQ(layout(c.layout), c.output) << c.warning;
    ASSERT_EQ(warner.warnings.size(), 1u) << c.warning;
    EXPECT_EQ(warner.warnings[0], c.warning);
  }
}

TEST_F(EncoderTest, BlockThatJustFitsIsReadAndABlankLayoutIsQuiet) {
  // A tab block in the last 11 bytes is whole: it is written; only the end mark is missing.
  EXPECT_EQ(layout(std::string(501, ' ') + "\x15"
                                           "0100L"),
            "\\tx1440");
  ASSERT_EQ(warner.warnings.size(), 1u);
  EXPECT_EQ(warner.warnings[0], "Layout end of line missing. Document may appear incorrect.@507");
  warner.warnings.clear();
  spill.text.clear();
  EXPECT_EQ(layout(""), "");
  EXPECT_TRUE(warner.warnings.empty());
}

TEST_F(EncoderTest, CancelledWarningStopsTheLayout) {
  warner.cancel = true;
  EXPECT_FALSE(encode_layout(out,
                             frame::ConstField(padded("\x15"
                                                      "0100X     \x15"
                                                      "0100L",
                                                      512)
                                                   .data(),
                                               512),
                             warner));
  EXPECT_EQ(written(), "");
}

TEST_F(EncoderTest, PlainLineOpensWithTheBodyFontAndEndsWithPar) {
  EXPECT_EQ(line("Hello world\x03"), "\\plain \\f1\\fs020 Hello\\~world\\par");
  EXPECT_EQ(std::string(current, kFontFieldWidth), std::string(kFontFieldWidth, ' '))
      << "the end mark forgets the current font";
}

TEST_F(EncoderTest, LineCharactersAndMarks) {
  struct Case {
    std::string text;
    std::string output;
  };
  const std::string f = "\\plain \\f1\\fs020 ";
  const Case cases[] = {
      {"", ""},
      {"      ", ""},
      {"a  b", f + "a\\~\\~b"},
      {"x-y {z}\\", f + "x\\_y\\~\\{z\\}\\\\"},
      {"\x13   12.50", f + "\\qr 12.50"},  // leading spaces of a right stretch vanish
      {"\x13  a b", f + "\\qr a\\~b"},
      {"\x12 a", f + "\\qc \\~a"},
      {"\x13\x18 of 5", f + "\\qr \\chpgn \\~of\\~5"},  // the page number is the stretch's text
      {"\x13"
       "5\t  a",
       f + "\\qr 5\\tab \\~\\~a"},  // after a tab the paragraph opens left-aligned
      {"Page \x18", f + "Page\\~\\chpgn "},
      {"one\x17two", f + "one\\par two"},  // a space ends "\par" before text
      {"\x14"
       "212B  0   Code",
       "\\plain \\f2\\fs024\\b\\nosupersub Code"},
      {"a\tb", f + "a\\tab b"},
      {"\tb", "\\tab \\plain " + f + "b"},  // "\plain" dropped the font: chosen again
  };
  for (const Case& c : cases) {
    std::fill(std::begin(current), std::end(current), ' ');
    spill.text.clear();
    EXPECT_EQ(line(c.text), c.output) << c.text;
  }
  EXPECT_TRUE(warner.warnings.empty());
}

TEST_F(EncoderTest, TableLineOpensEachCellParagraph) {
  EXPECT_EQ(line("A\tB\x03", 'C'),
            "\\pard \\intbl\\plain \\f1\\fs020 A\\cell \\pard \\intbl B\\cell \\row");
  spill.text.clear();
  std::fill(std::begin(current), std::end(current), ' ');
  // A cell that starts with a font is still a table paragraph.
  EXPECT_EQ(line("\x14"
                 "110       B\x03",
                 'F'),
            "\\pard \\intbl\\plain \\f1\\fs020 B\\cell \\row");
}

TEST_F(EncoderTest, FontMarkerTooNearTheEndOfTheLine) {
  EXPECT_EQ(line(std::string(760, 'x').replace(758, 1, "\x14")),
            "\\plain \\f1\\fs020 " + std::string(758, 'x'));
  ASSERT_EQ(warner.warnings.size(), 1u);
  EXPECT_EQ(warner.warnings[0],
            "STYLE BLOCK: Data buffer was overrun or end of line missing. Document may appear "
            "incorrect.@759");
}

TEST_F(EncoderTest, ARecordLongerThanTheBufferLosesNothing) {
  // Alternating fonts with every attribute: 69 changes of 34 bytes each pass 2,048 bytes.
  std::string text, expected;
  for (int i = 0; i < 69; ++i) {
    const char digit = i % 2 == 0 ? '1' : '2';
    text += font(std::string(1, digit) + "10BUI1");
    expected += std::string("\\plain \\f") + digit + "\\fs020\\b\\i\\ul\\super\\up2 ";
  }
  text += "}";
  expected += "\\}";
  const std::string output = line(text);
  EXPECT_EQ(output, expected);
  EXPECT_GT(output.size(), kBufferSize);
}

TEST_F(EncoderTest, TextAfterAControlWordIsDelimited) {
  out.word("\\tx2160");
  out.text("123");
  out.word("\\par");
  out.text(".");
  out.word("\\~");
  out.text("x");
  EXPECT_EQ(written(), "\\tx2160 123\\par.\\~x");
}

// Only the last word decides whether text needs a delimiting space, wherever that word
// lies: in the buffer, handed on already, or cut in two by a full buffer.
TEST_F(EncoderTest, TheLastWordAloneDecidesTheDelimiter) {
  const std::string filler(kBufferSize - 3, 'x');
  const struct {
    const char* name;
    std::vector<std::string> words;
    bool flush_before_text;
    std::string expected;
  } cases[] = {
      {"a control word", {"\\par"}, false, "\\par 2"},
      {"a control symbol after a control word", {"\\par", "\\~"}, false, "\\par\\~2"},
      {"a control word handed on before the text", {"\\tx2160"}, true, "\\tx2160 2"},
      {"a control word cut by a full buffer", {filler, "\\par"}, false, filler + "\\par 2"},
      {"a control word filling the buffer", {filler, "\\ul"}, false, filler + "\\ul 2"},
      {"a brace after a control word, both handed on", {"\\b", "}"}, true, "\\b}2"},
  };
  for (const auto& c : cases) {
    StringSpill s;
    Output o(s);
    for (const std::string& w : c.words)
      o.word(w);
    if (c.flush_before_text) o.flush();
    o.text("2");
    o.flush();
    EXPECT_EQ(s.text, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace quarn::docout
