#include <gtest/gtest.h>

#include <string>

#include "frame/host.hpp"
#include "quarn/quarn-m.h"
#include "records.hpp"

namespace {

using dates_test::bytes_of;
using dates_test::field;
using dates_test::record_of;

struct Edit {
  std::string text;        // 10 characters
  std::string last_day;    // 1
  std::string result;      // 2
  std::string pivot;       // 2
  std::string month_year;  // 1
  std::string check;       // 13
};

class DateditTest : public ::testing::Test {
 protected:
  // The split values are stored as the records' own signed numbers in these tests.
  void SetUp() override { quarn_set_sign_convention(QUARN_SIGN_RECORD); }
  void TearDown() override { quarn_set_sign_convention(QUARN_SIGN_AUTO); }

  static Edit edit(const std::string& text, const std::string& pivot = "50",
                   const std::string& month_year = "N", const std::string& switches = "NNN") {
    std::string bytes = (text + std::string(10, ' ')).substr(0, 10);
    bytes +=
        "#"
        "##" +
        pivot + month_year +
        "########"
        "##" +
        switches;
    auto record = record_of<QuarnDateditRecord>(bytes);
    QUARN_DATEDIT(&record);
    return {field(record.de_date_text, 10), field(record.de_last_day, 1),
            field(record.de_result, 2),     field(record.de_pivot, 2),
            field(record.de_month_year, 1), bytes_of(record.de_check)};
  }
};

TEST_F(DateditTest, TypedFormsAreRewritten) {
  struct Case {
    const char* typed;
    const char* pivot;
    const char* text;
    const char* result;
    const char* last_day;
  };
  const Case cases[] = {
      {"1/2/2020", "50", " 1/02/2020", "00", "N"},
      {"01/02/2020", "50", " 1/02/2020", "00", "N"},
      {"1.2.2020", "50", " 1/02/2020", "00", "N"},
      {"1 /2 /2020", "50", " 1/02/2020", "00", "N"},
      {"1-2.2020", "50", " 1/02/2020", "00", "N"},
      {"x1/2/20y20", "50", " 1/02/2020", "00", "N"},  // other characters are skipped
      {"02-03-04", "50", " 2/03/2004", "00", "N"},
      {"12/31/49", "50", "12/31/2049", "00", "N"},
      {"12/31/50", "50", "12/31/1950", "00", "N"},
      {"12/31/49", "30", "12/31/1949", "00", "N"},
      {"12/31/29", "30", "12/31/2029", "00", "N"},
      {"1/1/00", "00", " 1/01/1900", "00", "N"},     // pivot 00: every year in the 1900s
      {"1/1/20", "5x", " 1/01/1920", "00", "N"},     // a pivot that is no number counts as 00
      {"2/29/2021", "50", " 2/29/2021", "99", "N"},  // rewritten although invalid
      {"2/29/00", "50", " 2/29/2000", "00", "N"},
      {"123/4/2020", "50", "23/04/2020", "99", "N"},
      {"1//2020", "50", " 1/00/2020", "99", "N"},
  };
  for (const Case& c : cases) {
    const Edit e = edit(c.typed, c.pivot);
    EXPECT_EQ(e.text, c.text) << c.typed;
    EXPECT_EQ(e.result, c.result) << c.typed;
    EXPECT_EQ(e.last_day, c.last_day) << c.typed;
    EXPECT_EQ(e.pivot + e.month_year, "50N") << c.typed;
    EXPECT_EQ(e.check.substr(10), "NNN") << c.typed;
  }
}

TEST_F(DateditTest, DayNinetyNineIsTheMonthsLastDay) {
  struct Case {
    const char* typed;
    const char* switches;
    const char* text;
    const char* result;
  };
  const Case cases[] = {
      {"2/99/2020", "NNN", " 2/29/2020", "00"},
      {"2/99/2021", "NNN", " 2/28/2021", "00"},
      {"2/99/1900", "NNN", " 2/28/1900", "00"},
      {"4/99/2020", "NNN", " 4/30/2020", "00"},
      {"12/99/99", "NNN", "12/31/1999", "00"},
      {"13/99/2020", "NNN", "13/00/2020", "99"},
      {"2/99/1800", "NNN", " 2/00/1800", "99"},
      // An accepted month 0 stands for any month: its last day is the 31st, as the check
      // allows.
      {"0/99/2020", "YNN", " 0/31/2020", "00"},
  };
  for (const Case& c : cases) {
    const Edit e = edit(c.typed, "50", "N", c.switches);
    EXPECT_EQ(e.text, c.text) << c.typed;
    EXPECT_EQ(e.result, c.result) << c.typed;
    EXPECT_EQ(e.last_day, "Y") << c.typed;
  }
  // The check record holds the day found, as a positive signed number.
  EXPECT_EQ(edit("2/99/2020").check,
            "0B2I202@"
            "00NNN");
  EXPECT_EQ(edit("13/99/2020").check,
            "1C0@202@"
            "99NNN");
}

TEST_F(DateditTest, SplitValuesAreSignedNumbersInTheConventionInForce) {
  EXPECT_EQ(edit("1/2/2020").check,
            "0A0B202@"
            "00NNN");
  EXPECT_EQ(edit("12/31/49").check,
            "1B3A204I"
            "00NNN");
  quarn_set_sign_convention(QUARN_SIGN_GNUCOBOL);
  EXPECT_EQ(edit("1/2/2020").check,
            "01022020"
            "00NNN");
}

TEST_F(DateditTest, TextsWithoutAYearOfTwoOrFourDigits) {
  // Result 04 at once: separators replaced, nothing rewritten, options not reset, DATECHK
  // not called (its result and switches stay).
  for (const char* typed : {"1/2", "abc", "", "1/2/3", "1/2/123", "1.2.20201"}) {
    const Edit e = edit(typed, "30", "N", "YNX");
    std::string replaced = (std::string(typed) + std::string(10, ' ')).substr(0, 10);
    for (char& c : replaced)
      if (c == '-' || c == '.') c = '/';
    EXPECT_EQ(e.text, replaced) << typed;
    EXPECT_EQ(e.result, "04") << typed;
    EXPECT_EQ(e.last_day, "N") << typed;
    EXPECT_EQ(e.pivot + e.month_year, "30N") << typed;
    EXPECT_EQ(e.check.substr(8), "##YNX") << typed;
  }
  // The tenth character cuts the year to three digits; the check record keeps the split.
  const Edit cut = edit("123/45/2020");
  EXPECT_EQ(cut.text, "123/45/202");
  EXPECT_EQ(cut.result, "04");
  EXPECT_EQ(cut.check.substr(0, 8), "2C4E020B");
}

TEST_F(DateditTest, TooManySeparatorsGiveThePartCount) {
  const Edit e = edit("1-2-2020-");
  EXPECT_EQ(e.text, "1/2/2020/ ");
  EXPECT_EQ(e.result, "04");
  EXPECT_EQ(e.check,
            "00000000"
            "##NNN");  // DATECHK was not called
  EXPECT_EQ(e.pivot + e.month_year, "50N");
  EXPECT_EQ(edit("1/2/2020//").result, "05");
  EXPECT_EQ(edit("1/2/20//").result, "05");
}

TEST_F(DateditTest, MonthAndYear) {
  struct Case {
    const char* typed;
    const char* text;
    const char* result;
  };
  const Case cases[] = {
      {"1/2020", " 1/00/2020", "00"},   {"12/99", "12/00/1999", "00"},
      {"12-20", "12/00/2020", "00"},    {"13/2020", "13/00/2020", "99"},
      {"1/2/2020", "1/2/2020  ", "04"}, {"1/20/20", "1/20/20   ", "04"},
  };
  for (const Case& c : cases) {
    const Edit e = edit(c.typed, "50", "Y");
    EXPECT_EQ(e.text, c.text) << c.typed;
    EXPECT_EQ(e.result, c.result) << c.typed;
  }
  // The day is 0 and the check lets it through; the switch is "N" again afterwards.
  EXPECT_EQ(edit("1/2020", "50", "Y").check,
            "0A0@202@"
            "00NNN");
  EXPECT_EQ(edit("1/2020", "50", "Y").month_year, "N");
}

TEST_F(DateditTest, ZeroDaySwitchOfTheCheckRecord) {
  EXPECT_EQ(edit("1//2020", "50", "N", "NNN").result, "99");
  EXPECT_EQ(edit("1//2020", "50", "N", "NYN").result, "00");
  EXPECT_EQ(edit("1//2020", "50", "N", "N N").result, "00");
}

}  // namespace
