#include <gtest/gtest.h>

#include <fcntl.h>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.hpp"
#include "platform/registry.hpp"
#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

namespace registry = platform::registry;
namespace files = platform::files;

struct Check {
  std::string missing;
  std::int32_t result;
};

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    registry::clear_prog_ids();
    set_home(folder_.path().string() + "\\");
    // Each key that is not a registered identifier is looked up in the keys file: counting
    // the file's openings counts the keys tried.
    opened = 0;
    files::syscalls().open = [](const char* path, int flags, mode_t mode) {
      if (std::string_view(path).ends_with(registry::kKeysFile)) ++opened;
      return ::open(path, flags, mode);
    };
  }
  void TearDown() override {
    files::reset_syscalls();
    registry::clear_prog_ids();
    set_home("");
  }
  void keys(const std::string& text) const {
    write_file(folder_ / std::string(registry::kKeysFile), text);
  }
  static Check check() {
    QuarnDrMissingName missing;
    std::memset(&missing, 'x', sizeof missing);
    std::int32_t result = -1;
    QUARN_CHECK_DLL_REG(&missing, &result);
    const std::string_view name(missing.dr_missing_name, sizeof missing.dr_missing_name);
    EXPECT_EQ(name.find_first_not_of(' ', name.find(' ')), std::string_view::npos)
        << "space-padded";
    return {std::string(name.substr(0, name.find(' '))), result};
  }

  static inline int opened = 0;
  ScratchFolder folder_;
};

constexpr const char* kAllKeys =
    "# components of the suite\n"
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\_QUARN.DNMonths.1\n"
    "HKLM\\software\\classes\\_QUARN.DNOffIO2.1\\CLSID\n"  // a key below it counts
    "SOFTWARE/Classes/_QUARN.EntityIO.1\n"
    "  SOFTWARE\\Classes\\_QUARN.GLFMonths.1  \r\n"
    "SOFTWARE\\Classes\\QUARN.Calendar.1\n"
    "SOFTWARE\\Classes\\QUARN.Date.1\n"
    "SOFTWARE\\Classes\\QUARN.POPProg.1\n";

TEST_F(Registration, AllPresent) {
  keys(kAllKeys);
  const Check result = check();
  EXPECT_EQ(result.result, 0);
  EXPECT_EQ(result.missing, "");
  EXPECT_EQ(opened, 7);
}

TEST_F(Registration, FirstMissingIsNamed) {
  keys("SOFTWARE\\Classes\\_QUARN.DNMonths.10\n");  // not the key, nor one below it
  Check result = check();
  EXPECT_EQ(result.result, 2);
  EXPECT_EQ(result.missing, "_QUARN.DNMonths.1");
  EXPECT_EQ(opened, 1);

  std::string text = kAllKeys;
  text.erase(text.find("SOFTWARE\\Classes\\QUARN.Calendar.1\n"), 35);
  keys(text);
  opened = 0;
  result = check();
  EXPECT_EQ(result.result, 2);
  EXPECT_EQ(result.missing, "QUARN.Calendar.1");
  EXPECT_EQ(opened, 5);

  // No keys file, no home folder: nothing is registered.
  fs::remove(folder_ / std::string(registry::kKeysFile));
  EXPECT_EQ(check().missing, "_QUARN.DNMonths.1");
  set_home("");
  EXPECT_EQ(check().result, 2);
}

TEST_F(Registration, IdentifiersRegisteredByTheFormRuntime) {
  keys(
      "SOFTWARE\\Classes\\_QUARN.DNMonths.1\nSOFTWARE\\Classes\\_QUARN.DNOffIO2.1\n"
      "SOFTWARE\\Classes\\_QUARN.EntityIO.1\nSOFTWARE\\Classes\\_QUARN.GLFMonths.1\n");
  registry::register_prog_id("QUARN.Calendar.1");
  registry::register_prog_id("QUARN.Date.1");
  EXPECT_EQ(check().missing, "QUARN.POPProg.1");
  registry::register_prog_id("QUARN.POPProg.1");
  registry::register_prog_id("QUARN.POPProg.1");
  const Check result = check();
  EXPECT_EQ(result.result, 0);
  EXPECT_EQ(result.missing, "");
  EXPECT_EQ(registry::open_key("Software\\CLASSES\\quarn.popprog.1", ""), registry::kOk);
  EXPECT_EQ(registry::open_key("SOFTWARE\\Classes\\QUARN.POPProg", ""), registry::kNotFound);
}

TEST_F(Registration, UnreadableKeysFileIsReportedWithItsCode) {
  keys(kAllKeys);
  files::syscalls().open = [](const char*, int, mode_t) {
    errno = EACCES;
    return -1;
  };
  Check result = check();
  EXPECT_EQ(result.result, registry::kAccessDenied);
  EXPECT_EQ(result.missing, "_QUARN.DNMonths.1");
  files::syscalls().open = [](const char*, int, mode_t) {
    errno = EIO;
    return -1;
  };
  EXPECT_EQ(check().result, registry::kIoError);
}

}  // namespace
}  // namespace quarn::testing
