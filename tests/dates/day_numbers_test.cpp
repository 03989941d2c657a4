#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "quarn/quarn-m.h"
#include "records.hpp"

namespace {

using dates_test::bytes_of;
using dates_test::field;
using dates_test::record_of;

struct Day {
  std::string check;  // the check record after the call
  std::string date;   // the day record's date after the call
  std::string result;
  std::string weekday;
  std::string number;
};

// GETDAY of MMDDYYYY with a check record holding `result` and the two zero switches.
Day getday(const std::string& date, const std::string& result = "00",
           const std::string& switches = "NN") {
  auto check = record_of<QuarnDatechkRecord>("########" + result + switches + "#");
  auto day = record_of<QuarnGetdayRecord>(date + "##########");
  QUARN_GETDAY(&check, &day);
  return {bytes_of(check), field(day.gy_month, 8), field(day.gy_check_result, 2),
          field(day.gy_weekday, 2), field(day.gy_day_number, 6)};
}

struct Date {
  std::string result;
  std::string date;
};

Date getdate(const std::string& number) {
  auto record = record_of<QuarnGetdateRecord>("##" + number + "########");
  QUARN_GETDATE(&record);
  return {field(record.gd_result, 2), field(record.gd_month, 8)};
}

TEST(Getday, NumbersAndWeekdays) {
  struct Case {
    const char* date;
    const char* weekday;
    const char* number;
  };
  const Case cases[] = {
      {"01012020", "04", "080355"},
      {"01022020", "05", "080356"},
      {"02292020", "07", "080414"},
      {"03012020", "01", "080415"},
      {"12312020", "05", "080720"},
      {"01011900", "02", "036526"},
      {"01011901", "03", "036891"},
      {"03011900", "05", "036585"},
      {"02281900", "04", "036584"},
      {"01011801", "05", "000367"},
      {"12312099", "05", "109574"},
      {"01012100", "06", "109575"},
      {"02302020", "01", "080415"},  // a day past the month's end counts on
      {"01002020", "03", "080354"},  // day 0 without its switch counts back
      {"03050000", "08", "000065"},  // year 0: day of the year from 2
      {"0A0B202@", "05", "080356"},  // +1, +2, +2020 with the record's zone
      // Past year 4537 the field keeps the low six digits.
      {"12319999", "03", "995049"},
  };
  for (const Case& c : cases) {
    const Day d = getday(c.date);
    EXPECT_EQ(d.result + d.weekday + d.number, std::string("00") + c.weekday + c.number) << c.date;
    EXPECT_EQ(d.date, c.date) << "the day record's date is only read";
    EXPECT_EQ(d.check.substr(0, 8), c.date) << "the check record gets a copy";
    EXPECT_EQ(d.check.substr(8), std::string("00NN#")) << "nothing past 12 bytes";
  }
}

TEST(Getday, TheCheckResultDecides) {
  // Spaces count as 00; any other value is passed on as plain digits and stops the count.
  EXPECT_EQ(getday("01012020", "  ").result + getday("01012020", "  ").number, "00080355");
  EXPECT_EQ(getday("01012020", "0@").result + getday("01012020", "0@").number, "00080355");
  for (const char* result : {"99", "9I", "9Y", "01"}) {
    const Day d = getday("01012020", result);
    EXPECT_EQ(d.weekday + d.number, "00000000") << result;
    EXPECT_NE(d.result, "00") << result;
  }
  EXPECT_EQ(getday("01012020", "9I").result, "99");
  EXPECT_EQ(getday("01012020", "9Y").result, "99");
  EXPECT_EQ(getday("01012020", "x ").result, "x ");
}

TEST(Getday, ZeroMonthAndDaySwitches) {
  const Day both = getday("00002020", "00", "YY");
  EXPECT_EQ(both.weekday + both.number, "04080355");
  EXPECT_EQ(both.date, "00002020");
  quarn_set_sign_convention(QUARN_SIGN_RECORD);
  EXPECT_EQ(getday("00002020", "00", "YY").check.substr(0, 8), "0A0A2020");
  quarn_set_sign_convention(QUARN_SIGN_GNUCOBOL);
  EXPECT_EQ(getday("00002020", "00", "YY").check.substr(0, 8), "01012020");
  quarn_set_sign_convention(QUARN_SIGN_AUTO);
  // Only "Y" opens a switch here.
  EXPECT_EQ(getday("00102020", "00", "NN").number, "000000");
  EXPECT_EQ(getday("00102020", "00", "yN").number, "000000");
  EXPECT_EQ(getday("01002020", "00", "NY").number, "080355");
}

TEST(Getday, DatesWithoutANumber) {
  // Months outside 1-12, years 1-1799, fields that are no number, days that count back
  // before day 1: nothing is computed.
  for (const char* date : {"13012020", "00012020", "0Q012020", "13010000", "01011799", "12310001",
                           "  012020", "01AB2020", "0101 020", "01P@0000"}) {
    const Day d = getday(date);
    EXPECT_EQ(d.result + d.weekday + d.number, "0000000000") << date;
  }
}

TEST(Getday, EighteenHundredCountsAsGetdateDoes) {
  struct Case {
    const char* date;
    const char* number;
  };
  const Case cases[] = {{"01011800", "000001"},
                        {"02291800", "000060"},
                        {"03011800", "000061"},
                        {"12311800", "000366"}};
  for (const Case& c : cases) {
    EXPECT_EQ(getday(c.date).number, c.number) << c.date;
    EXPECT_EQ(getdate(c.number).date, c.date) << c.number;
  }
  // From 1 March 1800 the weekdays are the calendar's (a Saturday).
  EXPECT_EQ(getday("03011800").weekday, "07");
}

TEST(Getdate, NumbersToDates) {
  struct Case {
    const char* number;
    const char* result;
    const char* date;
  };
  const Case cases[] = {
      {"080355", "00", "01012020"}, {"036585", "00", "03011900"},
      {"036584", "00", "02281900"}, {"000367", "00", "01011801"},
      {"000060", "00", "02291800"}, {"000001", "00", "01011800"},
      {"109574", "00", "12312099"}, {"109575", "99", "01012100"},
      {"080414", "00", "02292020"}, {"00036G", "00", "01011801"},  // +367 with the record's zone
      {"00000w", "99", "12241799"},  // -7 in GnuCOBOL's zone: counted back
      {"000000", "99", "12311799"}, {"999999", "99", "11064537"},
      {"09999Y", "99", "03201526"},  // -99999
      {"65744Y", "99", "01010000"},  // -657449: the earliest number with a year
      {"65745P", "99", "00000000"}, {"99999Y", "99", "00000000"},
      {"      ", "99", "00000000"},  // no number: no date
      {"0803 5", "99", "00000000"},
  };
  for (const Case& c : cases) {
    const Date d = getdate(c.number);
    EXPECT_EQ(d.result + d.date, std::string(c.result) + c.date) << c.number;
  }
}

// Every day the suite accepts: GETDAY's number and weekday are the calendar's, and GETDATE
// gives the date back.
TEST(DayNumbers, EveryDayFrom1801To2099) {
  using namespace std::chrono;
  constexpr int kEpochOffset = 62093;  // days from 30 December 1799 to 1 January 1970
  const sys_days first = year{1801} / January / 1;
  const sys_days last = year{2099} / December / 31;
  int failures = 0;
  for (sys_days day = first; day <= last && failures < 10; day += days{1}) {
    const year_month_day ymd{day};
    char date[32];
    std::snprintf(date, sizeof date, "%02u%02u%04d", static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
    char number[16];
    std::snprintf(number, sizeof number, "%06d",
                  static_cast<int>(day.time_since_epoch().count()) + kEpochOffset);
    char dow[16];
    std::snprintf(dow, sizeof dow, "%02u", weekday{day}.c_encoding() + 1);

    const Day d = getday(date);
    const Date back = getdate(number);
    if (d.number != number || d.weekday != dow || back.result != "00" || back.date != date) {
      ADD_FAILURE() << date << ": GETDAY " << d.number << " " << d.weekday << ", GETDATE "
                    << back.result << " " << back.date << "; expected " << number << " " << dow;
      ++failures;
    }
  }
}

}  // namespace

namespace {

// Every six-digit day number from 1 (1 January 1800, a Tuesday) on names a date that GETDAY
// numbers back to it, with the weekday counted on from that Tuesday: GETDATE and GETDAY work
// the calendar out in two different ways, so a fault in either shows here.
TEST(DayNumbers, EverySixDigitNumberComesBackThroughItsDate) {
  int failures = 0;
  for (int n = 1; n <= 999999 && failures < 10; ++n) {
    char number[8];
    std::snprintf(number, sizeof number, "%06d", n);
    const Date date = getdate(number);
    const Day day = getday(date.date);
    const int weekday = (n - 1 + 2) % 7 + 1;  // day 1 is a Tuesday, 3
    char expected_weekday[4];
    std::snprintf(expected_weekday, sizeof expected_weekday, "%02d", weekday);
    if (day.number != number || day.weekday != expected_weekday) {
      ADD_FAILURE() << number << " -> " << date.date << " -> " << day.number << " " << day.weekday;
      ++failures;
    }
  }
}

}  // namespace
