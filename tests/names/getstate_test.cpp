#include <gtest/gtest.h>

#include <string>

#include "names/records.hpp"
#include "quarn/quarn-m.h"

namespace {

struct Request {
  std::string request, code, number, country, postal;
};

struct Found {
  std::string code, number, name, country, postal, status;
};

// Calls GETSTATE with the given inputs and the name field full of leftovers.
Found getstate(const Request& r) {
  auto record = leftover_record<QuarnGetstateRecord>();
  set(record.gs_request_status, r.request);
  set(record.gs_state_code, r.code);
  set(record.gs_state_number, r.number);
  set(record.gs_country, r.country);
  set(record.gs_postal_code, r.postal);
  QUARN_GETSTATE(&record);
  return {field(record.gs_state_code),  field(record.gs_state_number),
          field(record.gs_state_name),  field(record.gs_country),
          field(record.gs_postal_code), field(record.gs_request_status)};
}

Found by_code(const std::string& code, const std::string& country = "",
              const std::string& postal = "") {
  return getstate({"01", code, "", country, postal});
}
Found by_number(const std::string& number, const std::string& country = "") {
  return getstate({"02", "", number, country, ""});
}

// code, number, name and country as the record shows them, and the return code.
void expect_found(const Found& f, const std::string& code, const std::string& number,
                  const std::string& name, const std::string& country, const std::string& status) {
  EXPECT_EQ(f.code, padded(code, 5));
  EXPECT_EQ(f.number, number);
  EXPECT_EQ(f.name, padded(name, 20));
  EXPECT_EQ(f.country, padded(country, 2));
  EXPECT_EQ(f.status, status);
}

TEST(Getstate, ByCode) {
  expect_found(by_code("al"), "AL/", "001", "Alabama/", "US", "00");
  expect_found(by_code("AL/"), "AL/", "001", "Alabama/", "US", "00");
  expect_found(by_code("YT"), "YT/", "000", "Yukon/", "CA", "00");
  expect_found(by_code("DC"), "DC/", "011", "District of Columbia", "US", "00");
  // Misspelt names stay as they have always been stored.
  expect_found(by_code("NH"), "NH/", "033", "New Hamshire/", "US", "00");
  expect_found(by_code("GE"), "GE/", "000", "St Geroge/", "BM", "00");
  expect_found(by_code("AA"), "AA/", "000", "APO Cen/So America/", "US", "00");
  // Not found: the code is shown as worked on, number "000", name "/".
  expect_found(by_code("AB", "US"), "AB/", "000", "/", "US", "71");
  expect_found(by_code("ALABA"), "ALABA", "000", "/", "", "71");
  expect_found(by_code("al ab"), "AL/AB", "000", "/", "", "71");
  expect_found(by_code("AL X"), "AL/X", "000", "/", "", "71");
  expect_found(by_code(" AL"), "/AL", "000", "/", "", "71");
  expect_found(by_code(""), "/", "000", "/", "", "71");
}

TEST(Getstate, DuplicateCodesTakeTheFirstRowUnlessACountryIsGiven) {
  expect_found(by_code("FL"), "FL/", "012", "Florida/", "US", "00");
  expect_found(by_code("FL", "US", "32301/"), "FL/", "012", "Florida/", "US", "00");
  expect_found(by_code("FL", "BM", "12/"), "FL/", "000", "Flatts/", "BM", "00");
  expect_found(by_code("MA"), "MA/", "025", "Massachusetts/", "US", "00");
  expect_found(by_code("MA", "BM", "BX/"), "MA/", "000", "Mangrove Bay/", "BM", "00");
}

TEST(Getstate, SingaporeIsTheDefaultCodeForSingapore) {
  expect_found(by_code("", "SG", "123456/"), "SG/", "000", "Singapore", "SG", "00");
  expect_found(by_code("/", "SG", "123456/"), "SG/", "000", "Singapore", "SG", "00");
  expect_found(by_code("", "SG"), "SG/", "000", "Singapore", "SG", "73");
  expect_found(by_code("AL", "SG"), "AL/", "000", "/", "SG", "71");
}

TEST(Getstate, ByNumber) {
  expect_found(by_number("006"), "CA/", "006", "California/", "US", "00");
  expect_found(by_number("056"), "WY/", "056", "Wyoming/", "US", "00");
  expect_found(by_number("001", "CA"), "", "001", "/", "CA", "71");
  expect_found(by_number("003"), "", "003", "/", "", "71");
  // "000" belongs to 39 rows, none of which can be found by number; like a number that is
  // not three digits it is refused.
  for (const char* bad : {"000", "06 ", "abc", "6"}) {
    expect_found(by_number(bad), "", "000", "", "", "72");
  }
  // Every number from 001 to 099 that exists leads to exactly one row.
  int found = 0;
  for (int n = 1; n <= 99; ++n) {
    const std::string number = std::string(n < 10 ? "00" : "0") + std::to_string(n);
    const Found f = by_number(number);
    if (f.status == "00") {
      ++found;
      EXPECT_EQ(f.code[2], '/') << number;
      EXPECT_EQ(f.number, number);
    } else {
      EXPECT_EQ(f.status, "71") << number;
    }
  }
  EXPECT_EQ(found, 90 - 39);
}

TEST(Getstate, BadRequestAndBadCountry) {
  expect_found(getstate({"03", "AL", "001", "", ""}), "/", "000", "/", "", "70");
  expect_found(getstate({"0A", "AL", "001", "", ""}), "/", "000", "/", "", "70");
  // A country that is not exactly one of the four (or blank) changes nothing but the code.
  for (const char* country : {"us", "XX", "U", "\x01\x02"}) {
    auto record = leftover_record<QuarnGetstateRecord>();
    set(record.gs_country, country);
    set(record.gs_request_status, "01");
    auto expected = record;
    set(expected.gs_request_status, "74");
    QUARN_GETSTATE(&record);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&record), sizeof record),
              std::string(reinterpret_cast<char*>(&expected), sizeof expected))
        << country;
  }
}

TEST(Getstate, PostalCodeIsCheckedAgainstTheCountry) {
  struct Case {
    const char* country;
    const char* code;
    const char* postal;
    const char* status;
  };
  const Case cases[] = {
      {"US", "AL", "35203/", "00"},
      {"US", "AL", "35203-1234/", "00"},
      {"US", "AL", "35203", "73"},
      {"US", "AL", " 35203/", "73"},
      {"US", "AL", "35203-123/", "73"},
      {"US", "AL", "3520A/", "73"},
      {"US", "AL", "35203/ X", "73"},
      {"US", "AL", "35203/             9", "73"},  // something in the last position
      {"CA", "AB", "t2p 1j9/", "00"},
      {"CA", "AB", "T2P1J9/", "73"},
      {"BM", "HM", "12/", "00"},
      {"BM", "HM", "BX/", "00"},
      {"BM", "HM", "PX", "00"},
      {"BM", "HM", "AX", "00"},
      {"BM", "HM", "QX", "73"},
      {"BM", "HM", "PX/", "00"},  // as GETCSZ hands it over
      {"BM", "HM", "PX//", "73"},
      {"BM", "FL", "AX", "73"},  // the letter form is Hamilton's alone
      {"BM", "FL", "1/", "73"},
      {"SG", "SG", "123456/", "00"},
      {"SG", "SG", "12345/", "73"},
      {"", "AL", "anything", "00"},  // no country, no check
  };
  for (const Case& c : cases) {
    EXPECT_EQ(by_code(c.code, c.country, c.postal).status, c.status)
        << c.country << " " << c.code << " [" << c.postal << "]";
  }
  // Upper-cased in place once found; left alone when not.
  EXPECT_EQ(by_code("AB", "CA", "t2p 1j9/").postal, padded("T2P 1J9/", 20));
  EXPECT_EQ(by_code("AB", "", "t2p 1j9/").postal, padded("T2P 1J9/", 20));
  EXPECT_EQ(by_code("ZZ", "", "t2p 1j9/").postal, padded("t2p 1j9/", 20));
  EXPECT_EQ(by_code("AB", "", "t2p 1j9/  a        z").postal, "T2P 1J9/  A        Z");
  // A rejected postal code still leaves the whole row found.
  expect_found(by_code("AL", "US", "3520/"), "AL/", "001", "Alabama/", "US", "73");
}

}  // namespace
