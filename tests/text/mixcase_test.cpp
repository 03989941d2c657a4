#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "quarn/quarn.hpp"

namespace {

struct Case {
  char style;
  char exception_set;
  const char* text;
  const char* expected;
};

void check(const Case& c) {
  QuarnMixcaseRecord record;
  record.mc_style[0] = c.style;
  record.mc_exception_set[0] = c.exception_set;
  quarn::set_text(record.mc_text, c.text);
  QUARN_MIXCASE(&record);
  EXPECT_EQ(quarn::text(record.mc_text), c.expected)
      << "style '" << c.style << "' set '" << c.exception_set << "': " << c.text;
  EXPECT_EQ(record.mc_style[0], ' ');
  EXPECT_EQ(record.mc_exception_set[0], ' ');
}

TEST(Mixcase, WordStyle) {
  const Case cases[] = {
      {' ', ' ', "JOHN SMITH", "John Smith"},
      {'W', ' ', "123 MAIN ST APT 4", "123 Main St Apt 4"},
      {' ', ' ', "mixed CASE text", "Mixed Case Text"},
      {' ', ' ', "(JOHN) [MARY]", "(John) [Mary]"},
      {' ', ' ', "JOHN/MARY", "John/Mary"},
      {' ', ' ', "  JOHN", "  John"},
      {' ', ' ', "O'BRIEN-SMITH", "O'Brien-Smith"},
      {' ', ' ', "3RD MCDONALD", "3Rd Mcdonald"},
      {' ', ' ', "\xC9TIENNE \xFF", "\xC9Tienne \xFF"},  // bytes beyond A-Z pass through
      // words that start or run across every eighth byte
      {' ', ' ', "ABCDEFG-HIJKLMNOPQRSTUVW XYZ", "Abcdefg-Hijklmnopqrstuvw Xyz"},
      {' ', ' ', "1234567ABCDEFGH\x80IJKLMN@[`{OP", "1234567Abcdefgh\x80Ijklmn@[`{Op"},
  };
  for (const Case& c : cases)
    check(c);
}

TEST(Mixcase, GeneralListAsWholeWords) {
  const Case cases[] = {
      {' ', ' ', "100 NE MAIN ST", "100 NE Main St"},
      {' ', ' ', "SDA CHURCH", "SDA Church"},
      {' ', ' ', "THE CUC", "The CUC"},
      {' ', ' ', "UPS STORE", "UPS Store"},
      {' ', ' ', "UPSIDE DOWN", "Upside Down"},
      {' ', ' ', "SEA SIDE", "Sea Side"},
      {' ', ' ', "NADEI AND NAD GC GCAS", "NADEI And NAD GC GCAS"},
      // punctuation does not end a word
      {' ', ' ', "QQ NE, X", "Qq Ne, X"},
      {' ', ' ', "QQ,UPS,NE", "Qq,Ups,Ne"},
      {' ', 'N', "JOHN SMITH III.", "John Smith Iii."},
      {' ', ' ', "(IRS) IRS", "(Irs) IRS"},
      // list words across the eighth and the sixty-fourth byte
      {' ', ' ', "ABCDEF NE SDA X UPS NE", "Abcdef NE SDA X UPS NE"},
      {' ', ' ', "AAAAAAAAAA BBBBBBBBBB CCCCCCCCCC DDDDDDDDDD EEEEEEEEEE FFFFFFF NADEI NE SDA",
       "Aaaaaaaaaa Bbbbbbbbbb Cccccccccc Dddddddddd Eeeeeeeeee Fffffff NADEI NE SDA"},
  };
  for (const Case& c : cases)
    check(c);
}

TEST(Mixcase, AddressWords) {
  const Case cases[] = {
      {' ', 'A', "PO BOX 123", "PO Box 123"},
      {' ', 'A', "POBOX 77", "POBox 77"},
      {' ', 'A', "RR 2 BOX 10", "RR 2 Box 10"},
      {' ', 'A', "ED GREEN MD", "Ed Green MD"},
      {' ', 'A', "MD", "Md"},  // not at the start of the text
      {' ', 'A', "P O BOX 5", "P O Box 5"},
      {' ', 'A', "SE PO BOX", "SE PO Box"},  // the general list applies too
      {' ', ' ', "PO BOX 123", "Po Box 123"},
      {' ', 'N', "PO BOX 123", "Po Box 123"},
  };
  for (const Case& c : cases)
    check(c);
}

TEST(Mixcase, NameSuffixesNeverFirst) {
  const Case cases[] = {
      {' ', 'N', "JOHN SMITH III", "John Smith III"},
      {' ', 'N', "JOHN SMITH PHD", "John Smith PhD"},
      {' ', 'N', "LLD JD", "Lld JD"},
      {' ', 'N', "PHD JOHN", "Phd John"},
      {' ', 'N', "JOHN DO", "John DO"},
      {' ', 'N', "A II IV LLD CPA DMIN MDIV EDD DDS MD", "A II IV LLd CPA DMin MDiv EdD DDS MD"},
      {' ', ' ', "JOHN SMITH III", "John Smith Iii"},
      {' ', ' ', "MARY JONES CPA", "Mary Jones Cpa"},
      {' ', 'A', "MARY JONES CPA", "Mary Jones Cpa"},
  };
  for (const Case& c : cases)
    check(c);
}

TEST(Mixcase, SentenceStyle) {
  const Case cases[] = {
      {'S', ' ', "HELLO WORLD. THIS IS IT. OK", "Hello world. This is it. Ok"},
      {'S', ' ', "HELLO.WORLD", "Hello.World"},
      {'S', ' ', "HI! YOU? OK. FINE", "Hi! you? ok. Fine"},
      {'S', ' ', "  HELLO WORLD", "  hello world"},
      {'S', 'A', "JOHN PO BOX", "John PO Box"},
      {'S', 'A', "ED GREEN MD", "Ed green md"},  // MD is a word-style entry
      {'S', 'N', "JOHN SMITH III", "John smith iii"},
      {'S', ' ', "SEND IT BY UPS TO THE IRS", "Send it by UPS to the IRS"},
      // a list word that starts a sentence keeps its capitals
      {'S', ' ', "ups store", "UPS store"},
      {'S', ' ', "OK. UPS STORE. NE. SDA", "Ok. UPS store. Ne. SDA"},
      {'S', 'A', "BOX 5. PO BOX 6", "Box 5. PO Box 6"},
      // a full stop that starts the text calls for no capital; one after it does
      {'S', ' ', ".HELLO. WORLD", ".hello. World"},
      {'S', ' ', "A.. B . .C", "A.. B . .C"},
      {'S', ' ', "A. ups. Ne", "A. Ups. NE"},
      {'S', ' ', "OK. ups NE. ne", "Ok. UPS ne. NE"},
      // a sentence that starts with a byte that is no letter: it stays as it is (without the
      // case bit '{' and '`' would read '[' and '@'), and the letters after it are small
      {'S', ' ', "OK. {HI}. `YES`. @NO", "Ok. {hi}. `yes`. @no"},
  };
  for (const Case& c : cases)
    check(c);
}

// A list word that ends in the last position counts as followed by a space, whichever word
// it is.
TEST(Mixcase, WordEndingInTheLastPosition) {
  for (const char* word : {"UPS", "NE", "SDA", "NADEI"}) {
    for (const char style : {' ', 'S'}) {
      std::string text(100 - std::strlen(word), 'X');
      text[text.size() - 1] = ' ';
      text += word;
      std::string expected = text;
      for (char& c : expected)
        c = static_cast<char>(c == 'X' ? 'x' : c);
      expected[0] = 'X';
      check({style, ' ', text.c_str(), expected.c_str()});
    }
  }
}

TEST(Mixcase, BlankTextOnlyResetsTheOptions) {
  QuarnMixcaseRecord record;
  std::memset(&record, ' ', sizeof record);
  record.mc_style[0] = 'S';
  record.mc_exception_set[0] = 'N';
  QUARN_MIXCASE(&record);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record), sizeof record),
            std::string(sizeof record, ' '));
}

}  // namespace
