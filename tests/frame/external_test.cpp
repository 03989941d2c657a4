#include "frame/external.hpp"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace quarn::frame
