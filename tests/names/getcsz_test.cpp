#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/program.hpp"
#include "names/records.hpp"
#include "quarn/quarn-m.h"

namespace {

struct Records {
  QuarnGetcszRecord csz = leftover_record<QuarnGetcszRecord>();
  QuarnGetstateRecord state = leftover_record<QuarnGetstateRecord>();
  std::vector<std::string> entered;  // programs entered during the call, in order
};

// Calls GETCSZ with the outputs full of leftovers and notes which programs ran.
Records getcsz(const std::string& line, const std::string& country = "") {
  Records r;
  set(r.csz.csz_line_in, line);
  set(r.state.gs_country, country);
  const auto previous = quarn::frame::set_frame_observer([&](const quarn::frame::FrameEvent& e) {
    if (e.kind == quarn::frame::FrameEvent::kEnter) r.entered.emplace_back(e.program);
  });
  QUARN_GETCSZ(&r.csz, &r.state);
  quarn::frame::set_frame_observer(previous);
  return r;
}

// The first record's outputs, as text without their padding, and its return code.
void expect_csz(const Records& r, const std::string& city, const std::string& state,
                const std::string& postal, const std::string& code, const std::string& line) {
  EXPECT_EQ(field(r.csz.csz_city), padded(city, 40)) << line;
  EXPECT_EQ(field(r.csz.csz_state), padded(state, 20)) << line;
  EXPECT_EQ(field(r.csz.csz_postal_code), padded(postal, 20)) << line;
  EXPECT_EQ(field(r.csz.csz_return_code), code) << line;
}

TEST(Getcsz, SplitsTheLineAndLooksTheStateUp) {
  const Records r = getcsz("BIRMINGHAM/AL/35203");
  expect_csz(r, "BIRMINGHAM/", "AL/", "35203/", "00", "");
  EXPECT_EQ(field(r.state.gs_state_code), "AL/  ");
  EXPECT_EQ(field(r.state.gs_state_number), "001");
  EXPECT_EQ(field(r.state.gs_state_name), padded("Alabama/", 20));
  EXPECT_EQ(field(r.state.gs_country), "US");
  EXPECT_EQ(field(r.state.gs_postal_code), padded("35203/", 20));
  EXPECT_EQ(field(r.state.gs_request_status), "00");
  EXPECT_EQ(r.entered, (std::vector<std::string>{"GETCSZ", "GETSTATE"}));
}

TEST(Getcsz, ReturnCodes) {
  struct Case {
    const char* line;
    const char* country;
    const char* city;
    const char* state;
    const char* postal;
    const char* code;
  };
  const Case cases[] = {
      {"BIRMINGHAM/AL/3520", "US", "BIRMINGHAM/", "AL/", "3520/", "73"},
      {"birmingham/al/35203", "", "birmingham/", "AL/", "35203/", "00"},
      {"CALGARY/ab/t2p 1j9", "CA", "CALGARY/", "AB/", "T2P 1J9/", "00"},
      {"  BIRMINGHAM / AL / 35203 ", "US", "BIRMINGHAM/", "AL/", "35203/", "00"},
      {"/AL/35203", "", "/", "AL/", "35203/", "78"},
      {"/AL/3520", "US", "/", "AL/", "3520/", "73"},  // "78" only after "00"
      {"BIRMINGHAM//35203", "", "BIRMINGHAM/", "/", "35203/", "71"},
      {"BIRMINGHAM/AL/", "", "BIRMINGHAM/", "AL/", "/", "00"},
      {"BIRMINGHAM/ALABAMA/35203", "", "BIRMINGHAM/", "ALABAMA/", "35203/", "71"},
      {"BIRMINGHAM/AL/35203", "XX", "BIRMINGHAM/", "AL/", "35203/", "74"},
      {"S/X/1", "", "S/", "X/", "1/", "71"},
      {"X/ABCDEFGHIJKLMNOPQRSTUV/1", "", "X/", "ABCDEFGHIJKLMNOPQRST", "1/", "71"},
      // The postal code ends at the line's last position.
      {"BIRMINGHAM                     /al/35203", "US", "BIRMINGHAM/", "AL/", "35203/", "00"},
      {"HAMILTON/hm/px", "BM", "HAMILTON/", "HM/", "PX/", "00"},
      {"HAMILTON/hm/qx", "BM", "HAMILTON/", "HM/", "QX/", "73"},
  };
  for (const Case& c : cases) {
    expect_csz(getcsz(c.line, c.country), c.city, c.state, c.postal, c.code, c.line);
  }
}

TEST(Getcsz, TheStateCodeGoesToTheLookupWithoutItsEndMarker) {
  // Five positions of the state, "/" as spaces; GETSTATE then marks the end of the code.
  EXPECT_EQ(field(getcsz("BIRMINGHAM/A L/35203").state.gs_state_code), "A/L  ");
  EXPECT_EQ(field(getcsz("BIRMINGHAM/A L/35203").csz.csz_return_code), "71");
  EXPECT_EQ(field(getcsz("X/ALABAMA/1").state.gs_state_code), "ALABA");
  // A blank state with Singapore's country is Singapore itself.
  const Records sg = getcsz("SINGAPORE//123456", "SG");
  EXPECT_EQ(field(sg.state.gs_state_name), padded("Singapore", 20));
  EXPECT_EQ(field(sg.csz.csz_return_code), "00");
}

TEST(Getcsz, NothingToLookUp) {
  // All three pieces empty: the fields are marked empty, GETSTATE is not called.
  const Records empty = getcsz(" / / ");
  expect_csz(empty, "/", "/", "/", "79", " / / ");
  EXPECT_EQ(field(empty.state.gs_request_status), "##");
  EXPECT_EQ(empty.entered, std::vector<std::string>{"GETCSZ"});

  // Not exactly two "/": only the return code is written.
  for (const char* line : {"BIRMINGHAM/AL", "BIRMINGHAM/AL/35203/X", "BIRMINGHAM", ""}) {
    const Records r = getcsz(line, "US");
    const Records untouched;
    EXPECT_EQ(field(r.csz.csz_return_code), "70") << line;
    EXPECT_EQ(std::string(r.csz.csz_city, 80), std::string(untouched.csz.csz_city, 80)) << line;
    EXPECT_EQ(field(r.state.gs_request_status), "##") << line;
    EXPECT_EQ(r.entered, std::vector<std::string>{"GETCSZ"}) << line;
  }
}

}  // namespace
