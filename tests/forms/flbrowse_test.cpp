#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "form_fixture.hpp"
#include "forms/shared/form_services.hpp"
#include "quarn/quarn-m.h"

namespace quarn::testing {
namespace {

class FlbrowseTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    forms::put_filter(misc->xm_browse_path, "ORGID Files|ORGFILE|All Files|*.*");
    frame::put_text(misc->xm_browse_title, "ORGID Browse");
  }
  std::string result() const { return std::string(misc->xm_browse_result, 4); }
  std::string path() const { return std::string(misc->xm_browse_path, 128); }
  std::string browse_folder() const { return std::string(frame::trimmed(misc->xm_browse_folder)); }
  const forms::HeadlessRuntime::Dialog& dialog() const { return runtime.dialogs().back(); }
};

TEST_F(FlbrowseTest, AChosenFileComesBackZeroEndedWithItsFolder) {
  std::filesystem::create_directories(home + "DATA/ORG");
  frame::put_text(misc->xm_browse_folder, home + "DATA/ORG/");
  script("file \"" + home + "DATA/ORG/ORGFILE\"");
  std::int32_t outcome = -1;
  char used[8];
  EXPECT_EQ(QUARN_FLBROWSE(nullptr, nullptr, &outcome, nullptr, used), 0);
  expect_script_done();

  EXPECT_EQ(result(), "0001");
  const std::string chosen = home + "DATA/ORG/ORGFILE";
  EXPECT_EQ(path(), chosen + std::string(128 - chosen.size(), '\0'));
  EXPECT_EQ(browse_folder(), home + "DATA/ORG/");
  EXPECT_EQ(outcome, 1);
  EXPECT_EQ(std::string(used, 8), "headless");

  ASSERT_EQ(runtime.dialogs().size(), 1u);
  EXPECT_EQ(dialog().kind, "file");
  EXPECT_EQ(dialog().title, "ORGID Browse" + std::string(20, ' ')) << "all 32 characters";
  EXPECT_EQ(dialog().start, home + "DATA/ORG") << "without its final separator";
  const std::vector<std::pair<std::string, std::string>> filters{{"ORGID Files", "ORGFILE"},
                                                                 {"All Files", "*.*"}};
  EXPECT_EQ(dialog().filters, filters);
}

TEST_F(FlbrowseTest, CancelBlanksThePathAndKeepsTheFolder) {
  frame::put_text(misc->xm_browse_folder, home);
  script("file cancel");
  std::int32_t outcome = -1;
  QUARN_FLBROWSE(nullptr, nullptr, &outcome, nullptr, nullptr);
  expect_script_done();
  EXPECT_EQ(result(), "0000");
  EXPECT_EQ(path(), std::string(128, ' '));
  EXPECT_EQ(browse_folder(), home);
  EXPECT_EQ(outcome, 0);
}

TEST_F(FlbrowseTest, WithoutAScriptTheDialogIsCancelled) {
  QUARN_FLBROWSE(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(result(), "0000");
  EXPECT_EQ(path(), std::string(128, ' '));
}

TEST_F(FlbrowseTest, AStartFolderThatIsGoneFallsBackToTheHomeDataFolder) {
  const struct {
    const char* name;
    bool data_exists;
    std::string start;
  } cases[] = {
      {"home DATA exists", true, home + "DATA"},
      {"neither exists", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(home + "DATA");
    if (c.data_exists) std::filesystem::create_directories(home + "DATA");
    frame::put_text(misc->xm_browse_folder, home + "GONE/");
    QUARN_FLBROWSE(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(dialog().start, c.start);
  }
}

TEST_F(FlbrowseTest, BackslashPathsAndLongPathsAreCut) {
  const std::string long_folder = "C:\\" + std::string(70, 'F') + "\\";
  const std::string long_path = long_folder + std::string(80, 'N');
  const struct {
    std::string chosen, path, folder;
  } cases[] = {
      {"C:\\DATA\\ORG\\ORGFILE", "C:\\DATA\\ORG\\ORGFILE" + std::string(109, '\0'),
       "C:\\DATA\\ORG\\"},
      // The path is cut at 128 (no zero byte then) and the folder at 64.
      {long_path, long_path.substr(0, 128), long_folder.substr(0, 64)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    script("file " + quoted(c.chosen));
    QUARN_FLBROWSE(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(result(), "0001");
    EXPECT_EQ(path(), c.path);
    EXPECT_EQ(browse_folder(), c.folder);
  }
}

TEST_F(FlbrowseTest, APathTheFileBufferCannotHoldIsADialogError) {
  script("file \"/" + std::string(300, 'x') + "\"");
  QUARN_FLBROWSE(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(result(), "0000");
  EXPECT_EQ(path(), std::string(128, ' '));
}

TEST(BrowseFilter, PartsThatDoNotFitAreDroppedWholePairs) {
  char field[32];
  forms::put_filter(field, "Text|*.txt|All Files|*.*|Pictures|*.png;*.jpg");
  EXPECT_EQ(std::string(field, 32),
            std::string("Text\0*.txt\0All Files\0*.*\0", 26) + std::string(6, '\0'));
}

}  // namespace
}  // namespace quarn::testing
