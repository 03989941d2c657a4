#include <gtest/gtest.h>

#include <string>

#include "quarn/quarn-m.h"
#include "records.hpp"

namespace {

using dates_test::bytes_of;
using dates_test::record_of;

// Checks MMDDYYYY with the three switches and returns the whole record afterwards.
std::string datechk(const std::string& date, const std::string& switches = "NNN") {
  auto record = record_of<QuarnDatechkRecord>(date + "##" + switches);
  QUARN_DATECHK(&record);
  return bytes_of(record);
}

TEST(Datechk, ResultsAndSwitchReset) {
  struct Case {
    const char* date;
    const char* switches;
    const char* result;
  };
  const Case cases[] = {
      {"01012020", "NNN", "00"}, {"02292020", "NNN", "00"},
      {"02291900", "NNN", "99"},  // 1900 has no 29 February
      {"02282021", "NNN", "00"}, {"02292021", "NNN", "99"},
      {"12312099", "NNN", "00"}, {"01012100", "NNN", "99"},
      {"01011801", "NNN", "00"}, {"12311800", "NNN", "99"},
      {"04312020", "NNN", "99"}, {"04302020", "NNN", "00"},
      {"13012020", "NNN", "99"}, {"13012020", "YYX", "99"},  // a month above 12 is never accepted
      {"00012020", "NNN", "99"}, {"00012020", "YNN", "00"},
      {"00012020", "nNN", "00"},  // any character but "N" opens a switch
      {"01002020", "NNN", "99"}, {"01002020", "NYN", "00"},
      {"01010000", "NNY", "00"}, {"01010000", "NNN", "99"},
      {"01011800", "NNY", "99"}, {"12319999", "NNY", "99"},
      {"12319999", "NN ", "00"},  // the year is not checked at all
      {"02290003", "NN ", "99"},  // ... but still decides February
      {"02292100", "NN ", "00"},  // 2100 counts as a leap year
      {"00322020", "YNN", "99"},  // an accepted month 0 allows 31 days
      {"00312020", "YNN", "00"},
  };
  for (const Case& c : cases) {
    const std::string after = datechk(c.date, c.switches);
    EXPECT_EQ(after.substr(8, 2), c.result) << c.date << " " << c.switches;
    EXPECT_EQ(after.substr(0, 8), c.date) << "the date is only read";
    EXPECT_EQ(after.substr(10), "NNN") << c.date << " " << c.switches;
  }
}

TEST(Datechk, SignedFieldsAndBytesThatAreNoNumber) {
  struct Case {
    std::string date;
    const char* switches;
    const char* result;
  };
  const Case cases[] = {
      {"0A0B202@", "NNN", "00"},  // +1, +2, +2020 with the record's zone
      {"0q012020", "YNN", "00"},  // -1 in GnuCOBOL's zone: a month below 1
      {"0Q012020", "NNN", "99"},  // -1 in the record's zone
      {"01012019", "NNN", "00"},
      {"  012020", "YNN", "99"},  // not a number, whatever the switches
      {"01AB2020", "NYN", "99"},
      {"0101    ", "NN ", "99"},
      {std::string("\xFF\x00"
                   "012020",
                   8),
       "YYY", "99"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(datechk(c.date, c.switches).substr(8), std::string(c.result) + "NNN")
        << c.date << " " << c.switches;
  }
}

}  // namespace
