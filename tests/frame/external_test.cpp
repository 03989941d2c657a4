#include "frame/external.hpp"

#include <gtest/gtest.h>

#include <string>

#include "frame/codec.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "quarn/quarn-m.h"

namespace quarn::frame {
namespace {

TEST(ExternalArea, KeysAsGnuCobolFilesThem) {
  EXPECT_EQ(external_key("X-MISC-EXTERNAL-WS"), "X_MISC_EXTERNAL_WS");
  EXPECT_EQ(external_key("quarn-ctlfl-external-values"), "QUARN_CTLFL_EXTERNAL_VALUES");
}

TEST(ExternalArea, OneZeroFilledBlockPerNameAndProcess) {
  auto* area = static_cast<char*>(quarn_external_area("TEST-AREA-ONE", 32));
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(std::string(area, 32), std::string(32, '\0'));
  area[0] = 'Q';
  // The same block, whichever way the name is spelt, and for a smaller view of it.
  EXPECT_EQ(quarn_external_area("TEST-AREA-ONE", 32), area);
  EXPECT_EQ(external_area("test_area_one", 8), area);
  EXPECT_NE(quarn_external_area("TEST-AREA-TWO", 32), area);
}

TEST(ExternalArea, ALargerRequestThanTheBlockIsRefusedAndReported) {
  std::string reported;
  const auto previous = set_error_handler([&](const RuntimeError& e) { reported = e.text; });
  ASSERT_NE(quarn_external_area("TEST-AREA-THREE", 16), nullptr);
  EXPECT_EQ(quarn_external_area("TEST-AREA-THREE", 17), nullptr);
  set_error_handler(previous);
  EXPECT_NE(reported.find("TEST_AREA_THREE"), std::string::npos);
}

// A kept area is the block of its name; a block it cannot have is asked for, and
// reported, on every call rather than kept as missing.
TEST(ExternalArea, AKeptAreaIsTheBlockAndAMissingOneIsAskedForAgain) {
  struct Sixteen {
    char bytes[16];
  };
  struct Seventeen {
    char bytes[17];
  };
  KeptArea<Sixteen> kept("TEST-AREA-FOUR");
  Sixteen* area = kept.get();
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(static_cast<void*>(area), external_area("TEST-AREA-FOUR", 16));
  EXPECT_EQ(kept.get(), area);

  int reports = 0;
  const auto previous = set_error_handler([&](const RuntimeError&) { ++reports; });
  KeptArea<Seventeen> too_large("TEST-AREA-FOUR");
  EXPECT_EQ(too_large.get(), nullptr);
  EXPECT_EQ(too_large.get(), nullptr);
  set_error_handler(previous);
  EXPECT_EQ(reports, 2);
}

TEST(ExternalArea, HomeFolderEndsAtItsZeroByteOrFillsTheField) {
  QuarnXMiscExternalWs* area = misc_area();
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(static_cast<void*>(area), quarn_external_area("X-MISC-EXTERNAL-WS", 2128));
  EXPECT_EQ(home_folder(*area), "") << "a new area is zero-filled";
  const std::string folder = "/srv/quarn/";
  clear(area->xm_home_folder);
  folder.copy(area->xm_home_folder, folder.size());
  area->xm_home_folder[folder.size()] = '\0';
  area->xm_home_folder[folder.size() + 1] = 'X';  // beyond the zero byte: not part of it
  EXPECT_EQ(home_folder(*area), folder);
  put_text(area->xm_home_folder, folder);  // space-padded, no zero byte
  EXPECT_EQ(home_folder(*area), folder);
  put_text(area->xm_home_folder, std::string(67, 'd'));
  EXPECT_EQ(home_folder(*area), std::string(67, 'd'));
}

}  // namespace
}  // namespace quarn::frame
