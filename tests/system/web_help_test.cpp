#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/program.hpp"
#include "platform/program_map.hpp"
#include "platform/sysout.hpp"
#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

// The recorder stands first on the search path as "wscript", and the home folder "C:\Q\"
// (a relative folder here, in the scratch folder made current) maps "wscript" to the name
// as it is, so the recorder receives what the script host would.
class WebAndHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    old_folder_ = fs::current_path();
    fs::current_path(folder_.path());
    fs::create_directories("C:/Q");
    map("wscript = wscript\n");
    set_home("C:\\Q\\", 5);
    messages_.clear();
    platform::set_sysout([this](std::string_view line) { messages_.emplace_back(line); });
  }
  void TearDown() override {
    platform::set_sysout(nullptr);
    fs::current_path(old_folder_);
    set_home("");
  }
  void map(const std::string& text) {
    write_file("C:/Q/" + std::string(platform::program_map::kOverrideFile), text);
  }

  std::vector<std::string> help(const std::string& file, const std::string& page,
                                const std::string& topic) {
    QuarnHelpRequest request;
    std::memset(&request, ' ', sizeof request);
    std::memset(request.hr_reserved, 0, sizeof request.hr_reserved);
    std::memcpy(request.hr_help_file, file.data(), file.size());
    std::memcpy(request.hr_page, page.data(), page.size());
    std::memcpy(request.hr_topic, topic.data(), topic.size());
    fs::remove(recorder_.record());
    const QuarnHelpRequest before = request;
    QUARN_HTMLHELP(&request);
    EXPECT_EQ(std::memcmp(&before, &request, sizeof request), 0) << "the request is only read";
    return recorder_.arguments();
  }

  ScratchFolder folder_;
  RecorderOnPath recorder_{folder_, "wscript"};
  fs::path old_folder_;
  std::vector<std::string> messages_;
};

TEST_F(WebAndHelp, HelpCommandLines) {
  using Args = std::vector<std::string>;
  const std::string script = "C:\\Q\\\\openhelps.vbs";
  EXPECT_EQ(help("QUARN.CHM", "QUARN_FileMenu.htm", "CompanyInfo"),
            (Args{script, "QUARN.CHM", "QUARN_FileMenu.htm#CompanyInfo"}));
  EXPECT_EQ(help("QUARN.CHM", "", "CompanyInfo"), (Args{script, "QUARN.CHM", "#CompanyInfo"}));
  EXPECT_EQ(help("QUARN.CHM", "QUARN_FileMenu.htm", ""),
            (Args{script, "QUARN.CHM", "QUARN_FileMenu.htm"}));
  EXPECT_EQ(help("QUARN.CHM", "", ""), (Args{script, "QUARN.CHM"}));
  // The file name without its folder and without what follows two spaces.
  EXPECT_EQ(help("C:\\X\\Y.CHM", "p.htm", ""), (Args{script, "Y.CHM", "p.htm"}));
  EXPECT_EQ(help("/usr/share/q/Y.CHM", "p.htm", ""), (Args{script, "Y.CHM", "p.htm"}));
  EXPECT_EQ(help("QUARN.CHM  X", "p.htm", ""), (Args{script, "QUARN.CHM", "p.htm"}));
  // A page ends at two spaces only when a topic follows.
  EXPECT_EQ(help("QUARN.CHM", "p  q.htm", "t"), (Args{script, "QUARN.CHM", "p#t"}));
  EXPECT_EQ(help("QUARN.CHM", "p  q.htm", ""), (Args{script, "QUARN.CHM", "p", "q.htm"}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(WebAndHelp, HelpFolderLength) {
  using Args = std::vector<std::string>;
  set_home("C:\\Q\\", 4);
  EXPECT_EQ(help("H.CHM", "", ""), (Args{"C:\\Q\\openhelps.vbs", "H.CHM"}));
  set_home("C:\\Q\\", 0);
  EXPECT_EQ(help("H.CHM", "", ""), (Args{"\\openhelps.vbs", "H.CHM"}));
  // Longer than the folder text: its zero bytes end the command line.
  set_home("C:\\Q\\", 9);
  EXPECT_EQ(help("H.CHM", "", ""), (Args{"C:\\Q\\"}));
  // Longer than the field, or negative: only the field is read.
  set_home("C:\\Q\\", 0x7FFF);
  EXPECT_EQ(help("H.CHM", "", ""), (Args{"C:\\Q\\"}));
  set_home("C:\\Q\\", -2);
  EXPECT_EQ(help("H.CHM", "", ""), (Args{"\\openhelps.vbs", "H.CHM"}));
}

TEST_F(WebAndHelp, HelpMessageWhenNothingStarted) {
  map("wscript = " + (folder_ / "no-such-host") + "\n");
  QuarnHelpRequest request;
  std::memset(&request, ' ', sizeof request);
  std::memcpy(request.hr_help_file, "QUARN.CHM", 9);
  QUARN_HTMLHELP(&request);
  EXPECT_EQ(messages_, std::vector<std::string>{"Unable to open helps, contact support."});
}

TEST_F(WebAndHelp, WebCommandLines) {
  using Args = std::vector<std::string>;
  QuarnTowebRecord record;
  const auto toweb = [&](const std::string& folder, char argument, bool zero) {
    std::memset(record.tw_script_folder, ' ', sizeof record.tw_script_folder);
    std::memcpy(record.tw_script_folder, folder.data(), folder.size());
    if (zero) record.tw_script_folder[folder.size()] = '\0';
    std::memset(record.tw_started, 0x5A, sizeof record.tw_started);
    record.tw_script_argument[0] = argument;
    fs::remove(recorder_.record());
    QUARN_TOWEB(&record);
    return recorder_.arguments();
  };
  EXPECT_EQ(toweb("C:\\Prog\\", '1', true), (Args{"C:\\Prog\\gotoweb.vbs", "1"}));
  std::int32_t started;
  std::memcpy(&started, record.tw_started, 4);
  EXPECT_EQ(started, 1);
  EXPECT_EQ(record.tw_script_argument[0], '1');
  EXPECT_EQ(toweb("C:\\Prog\\", ' ', true), (Args{"C:\\Prog\\gotoweb.vbs"}));
  // Without a zero byte the whole field, trailing spaces included, stands in the path.
  EXPECT_EQ(toweb("C:\\Prog\\", '2', false),
            (Args{"C:\\Prog\\" + std::string(59, ' ') + "gotoweb.vbs", "2"}));

  map("wscript = " + (folder_ / "no-such-host") + "\n");
  std::memset(record.tw_started, 0x5A, sizeof record.tw_started);
  QUARN_TOWEB(&record);
  std::memcpy(&started, record.tw_started, 4);
  EXPECT_EQ(started, 0);
  EXPECT_TRUE(messages_.empty()) << "TOWEB shows nothing";
}

// A folder with spaces or quotes in its name stays one path: the script host gets the
// script's whole path as its first argument and nothing else is added.
TEST_F(WebAndHelp, FoldersWithSpacesAndQuotesStayOnePath) {
  using Args = std::vector<std::string>;
  QuarnTowebRecord record;
  for (const std::string folder : {"C:\\a b\\", "C:\\a\" b\\", "C:\\x\\\" c\\"}) {
    SCOPED_TRACE(folder);
    std::memset(&record, ' ', sizeof record);
    std::memcpy(record.tw_script_folder, folder.data(), folder.size());
    record.tw_script_folder[folder.size()] = '\0';
    record.tw_script_argument[0] = '1';
    fs::remove(recorder_.record());
    QUARN_TOWEB(&record);
    EXPECT_EQ(recorder_.arguments(), (Args{folder + "gotoweb.vbs", "1"}));

    std::string native = folder;
    std::replace(native.begin(), native.end(), '\\', '/');
    fs::create_directories(native);
    write_file(native + std::string(platform::program_map::kOverrideFile), "wscript = wscript\n");
    set_home(folder);
    EXPECT_EQ(help("QUARN.CHM", "p.htm", ""),
              (Args{folder + "\\openhelps.vbs", "QUARN.CHM", "p.htm"}));
  }
}

// The command line itself, byte for byte, as START-EXE receives it: the split arguments above
// would not show a doubled separator collapsed or a space lost.
class RawCommandLine : public WebAndHelp {
 protected:
  void SetUp() override {
    WebAndHelp::SetUp();
    frame::set_frame_observer([this](const frame::FrameEvent& e) {
      if (e.kind == frame::FrameEvent::kEnter && e.program == "START-EXE") {
        lines_.emplace_back(static_cast<const char*>(e.records[0]), 255);
      }
    });
  }
  void TearDown() override {
    frame::set_frame_observer({});
    WebAndHelp::TearDown();
  }
  static std::string padded(const std::string& line) {
    return line + std::string(255 - line.size(), ' ');
  }
  std::vector<std::string> lines_;
};

TEST_F(RawCommandLine, HelpAndWebLinesAreExact) {
  help("QUARN.CHM", "QUARN_FileMenu.htm", "CompanyInfo");
  help("QUARN.CHM", "", "CompanyInfo");
  help("QUARN.CHM", "QUARN_FileMenu.htm", "");
  help("QUARN.CHM", "p  q.htm", "t");
  QuarnTowebRecord record;
  std::memset(&record, ' ', sizeof record);
  std::memcpy(record.tw_script_folder, "C:\\Prog\\\0", 9);
  record.tw_script_argument[0] = '1';
  QUARN_TOWEB(&record);

  const std::string topic_pad(50 - 11, ' ');  // the topic keeps all its 50 positions
  ASSERT_EQ(lines_.size(), 5u);
  EXPECT_EQ(lines_[0],
            padded("wscript C:\\Q\\\\openhelps.vbs QUARN.CHM QUARN_FileMenu.htm#CompanyInfo" +
                   topic_pad));
  EXPECT_EQ(lines_[1], padded("wscript C:\\Q\\\\openhelps.vbs QUARN.CHM #CompanyInfo" + topic_pad));
  EXPECT_EQ(lines_[2], padded("wscript C:\\Q\\\\openhelps.vbs QUARN.CHM QUARN_FileMenu.htm"));
  EXPECT_EQ(lines_[3], padded("wscript C:\\Q\\\\openhelps.vbs QUARN.CHM p#t"));
  EXPECT_EQ(lines_[4], padded("wscript C:\\Prog\\gotoweb.vbs 1"));
}

}  // namespace
}  // namespace quarn::testing
