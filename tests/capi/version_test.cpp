#include <gtest/gtest.h>

#include <string>

#include "quarn/quarn-m.h"

namespace {

// The header's version is the project's (CMakeLists.txt, project(... VERSION ...)), and
// the library reports the same.
TEST(Version, HeaderLibraryAndProjectAgree) {
  EXPECT_EQ(QUARN_VERSION_MAJOR, QUARN_PROJECT_VERSION_MAJOR);
  EXPECT_EQ(QUARN_VERSION_MINOR, QUARN_PROJECT_VERSION_MINOR);
  EXPECT_EQ(QUARN_VERSION_PATCH, QUARN_PROJECT_VERSION_PATCH);
  EXPECT_EQ(std::string(quarn_version()), QUARN_PROJECT_VERSION);
}

}  // namespace
