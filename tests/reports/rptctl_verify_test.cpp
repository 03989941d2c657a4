#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.hpp"
#include "platform/files.hpp"
#include "platform/indexed.hpp"
#include "platform/sysout.hpp"
#include "quarn/quarn-m.h"
#include "support/backends.hpp"
#include "support/file_contents.hpp"
#include "support/temp_folder.hpp"

namespace quarn {
namespace {

constexpr std::size_t kCustomer = 213;
constexpr std::size_t kStandard = 256;

// ---- records ----

std::string& put(std::string& record, std::size_t offset, std::string_view text) {
  record.replace(offset, text.size(), text);
  return record;
}

// A record of `length` bytes of type `type`: the report name in key bytes 1-12, a space and
// the three-digit sequence number; headings, two numbers and the version filled in.
std::string record(std::size_t length, char type, std::string_view report, int sequence) {
  std::string r(length, ' ');
  r[0] = type;
  put(r, 1, report);
  char number[4];
  std::snprintf(number, sizeof number, "%03d", sequence);
  put(r, 14, number);
  put(r, 30, "HEADING " + std::string(report));
  put(r, 80, "SUB ONE");
  put(r, 115, "SUB TWO");
  put(r, 154, "100");
  put(r, 159, "05");
  put(r, 162, "07");
  put(r, 200, "COLUMNS");
  if (length == kStandard) put(r, 230, "STANDARD TAIL");
  return r;
}

std::string standard(char type, std::string_view report, int sequence) {
  return record(kStandard, type, report, sequence);
}
// The customer's copy of a standard record.
std::string customer_of(const std::string& standard_record) {
  return standard_record.substr(0, kCustomer);
}

// The standard file of most tests: two controls (one of two records) and a style.
std::vector<std::string> standard_set() {
  return {standard('C', "REPORTA", 0), standard('C', "REPORTA", 1), standard('C', "REPORTB", 0),
          standard('S', "STYLE1", 0)};
}
std::vector<std::string> customer_set() {
  std::vector<std::string> out;
  for (const auto& r : standard_set())
    out.push_back(customer_of(r));
  return out;
}

// ---- the fixture: a home folder with the files on each backend in turn, a fixed clock, the
// display captured ----

using testing::TestBackend;

class RptctlVerifyTest : public ::testing::TestWithParam<TestBackend> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::use_backend(GetParam(), folder.path()));
    area_ = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    ASSERT_NE(area_, nullptr);
    saved_ = *area_;
    set_home(folder.path().string() + "/");
    previous_clock_ = platform::set_clock([] { return platform::LocalTime{2026, 3, 4, 9, 5, 7}; });
    previous_sysout_ =
        platform::set_sysout([this](std::string_view line) { shown.emplace_back(line); });
  }
  void TearDown() override {
    *area_ = saved_;
    platform::set_clock(previous_clock_);
    platform::set_sysout(previous_sysout_);
    platform::IndexedFile::fail_change_after(-1, platform::status::kOk);
    platform::files::reset_syscalls();
    testing::drop_backend(GetParam(), folder.path());
  }

  void set_home(const std::string& home) {
    std::memset(area_->xm_home_folder, 0, sizeof area_->xm_home_folder);
    std::memcpy(area_->xm_home_folder, home.data(), std::min(home.size(), std::size_t{67}));
    area_length(home.size());
  }
  void area_length(std::size_t length) {
    area_->xm_folder_length[0] = static_cast<char>(length >> 8);
    area_->xm_folder_length[1] = static_cast<char>(length & 0xFF);
  }

  // Builds an indexed file through the import the `quarn indexed` tool uses.
  void make(const std::string& name, std::size_t length, const std::vector<std::string>& records) {
    const std::string text = folder / (name + ".txt");
    std::ofstream(text) << join(records);
    char error[200] = "";
    // An empty list makes an empty file.
    ASSERT_EQ(
        quarn_indexed_import_options((folder / name).c_str(), static_cast<int32_t>(length), 17,
                                     text.c_str(), QUARN_IMPORT_ALLOW_EMPTY, error, sizeof error),
        0)
        << error;
    EXPECT_EQ(std::filesystem::exists(folder / name), GetParam() == TestBackend::kSqlite)
        << "a file of the home folder, or a table on the server";
  }
  void make_files(const std::vector<std::string>& standards,
                  const std::vector<std::string>& customers) {
    make("QUARN-STD.RPT", kStandard, standards);
    make("QUARN.RPT", kCustomer, customers);
  }

  // The records of an indexed file, through the export.
  std::string dump(const std::string& name, std::size_t length) {
    const std::string text = folder / (name + ".out");
    char error[200] = "";
    EXPECT_EQ(quarn_indexed_export((folder / name).c_str(), static_cast<int32_t>(length), 17,
                                   text.c_str(), error, sizeof error),
              0)
        << error;
    return testing::file_contents(text);
  }
  std::string customer_dump() { return dump("QUARN.RPT", kCustomer); }

  // Whether the indexed file `name` of the home folder exists, on either backend.
  bool exists(const std::string& name) {
    if (GetParam() == TestBackend::kSqlite) return std::filesystem::exists(folder / name);
    platform::IndexedFile file({kCustomer, 0, 17});
    const platform::FileStatus opened = file.open(folder / name, platform::OpenMode::kInput);
    file.close();
    return opened != platform::status::kMissing;
  }
  void remove(const std::string& name) { platform::remove_indexed_file(folder / name); }

  static std::string join(const std::vector<std::string>& records) {
    std::string out;
    for (const auto& r : records)
      out += r + "\n";
    return out;
  }
  std::string log() { return testing::file_contents(folder / "Update.LOG"); }

  char run(char mode) {
    QuarnRptctlVerifyRecord request;
    request.rv_mode[0] = mode;
    request.rv_result[0] = '?';
    QUARN_RPTCTL_VERIFY(&request);
    EXPECT_EQ(request.rv_mode[0], mode);
    return request.rv_result[0];
  }

  // A record line of the log: trailing spaces dropped.
  static std::string shown_record(const std::string& r) {
    return r.substr(0, r.find_last_not_of(' ') + 1);
  }

  testing::TempFolder folder;
  std::vector<std::string> shown;

 private:
  QuarnXMiscExternalWs* area_ = nullptr;
  QuarnXMiscExternalWs saved_{};
  platform::ClockSource previous_clock_;
  platform::SysoutSink previous_sysout_;
};

INSTANTIATE_TEST_SUITE_P(Backends, RptctlVerifyTest,
                         ::testing::Values(TestBackend::kSqlite, TestBackend::kPostgresql),
                         testing::backend_name);

TEST_P(RptctlVerifyTest, EqualFilesReportNothingAndLogTheCounts) {
  make_files(standard_set(), customer_set());
  const std::string before = customer_dump();
  EXPECT_EQ(run('C'), '0');
  EXPECT_EQ(log(),
            "Check Started 03/04/2026 09:05:07\n"
            " ---- Controls Version Number ----\n"
            "    Check Status = 0  Controls Processed = 3\n"
            "    Std  Controls = 3\n"
            "    Cust Controls = 3\n"
            "    Loop Count = 3\n"
            "    Loop Status = 10\n"
            " ---- Styles Version Number ----\n"
            "    Check Status = 0\n"
            "    Std  Styles = 1\n"
            "    Cust Styles = 1\n");
  EXPECT_EQ(customer_dump(), before);
}

TEST_P(RptctlVerifyTest, CheckWithALogStopsAtOnce) {
  std::ofstream(folder / "Update.LOG") << "an earlier run\n";
  // Not even missing report control files are looked at.
  EXPECT_EQ(run('C'), '1');
  EXPECT_EQ(log(), "an earlier run\n");
  EXPECT_FALSE(exists("QUARN.RPT"));
  EXPECT_TRUE(shown.empty());
}

TEST_P(RptctlVerifyTest, OtherModesDoNothing) {
  make_files(standard_set(), {});
  for (const char mode : {'c', 'u', ' ', '\0', '\xFF'}) {
    EXPECT_EQ(run(mode), '0');
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "Update.LOG"));
}

TEST_P(RptctlVerifyTest, CheckFindingADifferenceLeavesTheCustomerFileAlone) {
  auto customers = customer_set();
  put(customers[2], 30, "MY OWN HEADING");
  make_files(standard_set(), customers);
  const std::string before = customer_dump();

  EXPECT_EQ(run('C'), '2');
  EXPECT_EQ(customer_dump(), before);
  // The pair is shown as the update would leave it: the heading is the standard's then, so
  // what is left is nothing, and the pair is not a failed match; the check still says that
  // the update has work.
  EXPECT_EQ(log().find("-Match Failed"), std::string::npos) << log();
  EXPECT_NE(log().find("    Check Status = 2  Controls Processed = 3\n"), std::string::npos);

  // A difference that the update does not mend is logged as a failed match.
  customers = customer_set();
  put(customers[1], 200, "MY COLUMNS");
  make_files(standard_set(), customers);
  std::filesystem::remove(folder / "Update.LOG");
  EXPECT_EQ(run('C'), '2');
  EXPECT_NE(log().find("    -Match Failed\n    RPT REC = " + shown_record(customers[1]) +
                       "\n    STD REC = " + shown_record(customer_of(standard_set()[1])) + "\n"),
            std::string::npos)
      << log();
}

TEST_P(RptctlVerifyTest, UpdateCreatesTheLogAndThenAppendsToIt) {
  auto customers = customer_set();
  put(customers[0], 162, "06");  // an older version of the control
  make_files(standard_set(), customers);

  EXPECT_EQ(run('U'), '2');
  const std::string first = log();
  EXPECT_TRUE(first.starts_with("Update Started 03/04/2026 09:05:07\n")) << first;
  EXPECT_NE(first.find(" ---- Controls Update ----\n    Updating/Adding\n    RPT REC = " +
                       shown_record(customer_of(standard_set()[0]))),
            std::string::npos)
      << first;
  EXPECT_NE(first.find("    Updated Controls = 1\n ---- Styles Update ----\n"
                       "    Updated Styles = 0\n"),
            std::string::npos)
      << first;
  EXPECT_EQ(customer_dump(), join(customer_set()));

  // The second run finds the files equal and adds its lines after the first run's.
  EXPECT_EQ(run('U'), '0');
  const std::string second = log();
  ASSERT_TRUE(second.starts_with(first));
  EXPECT_TRUE(second.substr(first.size()).starts_with("Update Started "));
  EXPECT_NE(second.find("    Updated Controls = 0\n", first.size()), std::string::npos);
}

TEST_P(RptctlVerifyTest, MissingStandardRecordsAreAdded) {
  // The customer lacks a control's second record and a style.
  auto customers = customer_set();
  customers.erase(customers.begin() + 3);
  customers.erase(customers.begin() + 1);
  make_files(standard_set(), customers);

  EXPECT_EQ(run('U'), '2');
  EXPECT_EQ(customer_dump(), join(customer_set())) << "the standard's first 213 bytes are added";
  EXPECT_NE(log().find("    Updated Controls = 1\n"), std::string::npos) << log();
  EXPECT_NE(log().find("    Updated Styles = 1\n"), std::string::npos) << log();
}

// Each step of merging a control's first record, and what is never merged.
TEST_P(RptctlVerifyTest, MergingAControlRecord) {
  struct Case {
    const char* what;
    int record;  // of standard_set()
    std::vector<std::pair<std::size_t, std::string>> customer_bytes;
    std::vector<std::pair<std::size_t, std::string>> standard_bytes;
    std::vector<std::pair<std::size_t, std::string>> expected_bytes;  // on the customer's copy
    char result;
  };
  const std::vector<Case> cases = {
      {"the version is always the standard's", 0, {{162, "03"}}, {}, {}, '2'},
      {"one heading differing brings all three",
       0,
       {{80, "MY SUB"}, {115, "MINE TOO"}, {30, "MY TITLE"}},
       {{80, "NEW SUB"}},
       {{80, "NEW SUB"}},
       '2'},
      {"a number of 0 takes the standard's", 0, {{159, "00"}}, {}, {}, '2'},
      {"... as plain digits", 0, {{159, "00"}}, {{159, "0E"}}, {{159, "05"}}, '2'},
      {"a number set by the customer stays", 0, {{159, "03"}}, {}, {{159, "03"}}, '2'},
      {"other bytes stay", 0, {{200, "MY COLUMNS"}}, {}, {{200, "MY COLUMNS"}}, '2'},
      {"a later record of a control is not merged",
       1,
       {{30, "MY TITLE"}, {162, "01"}},
       {},
       {{30, "MY TITLE"}, {162, "01"}},
       '2'},
      {"a style is not merged", 3, {{30, "MY FONT"}}, {}, {{30, "MY FONT"}}, '2'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto standards = standard_set();
    for (const auto& [offset, text] : c.standard_bytes)
      put(standards[c.record], offset, text);
    auto customers = customer_set();
    std::string& mine = customers[c.record];
    for (const auto& [offset, text] : c.customer_bytes)
      put(mine, offset, text);
    make_files(standards, customers);
    std::filesystem::remove(folder / "Update.LOG");

    std::string expected = customer_of(standards[c.record]);
    for (const auto& [offset, text] : c.expected_bytes)
      put(expected, offset, text);
    auto expected_file = customer_set();
    expected_file[c.record] = expected;

    EXPECT_EQ(run('U'), c.result);
    EXPECT_EQ(customer_dump(), join(expected_file)) << log();
  }
}

TEST_P(RptctlVerifyTest, ExpectedDifferencesAreNotFailedMatches) {
  struct Case {
    const char* report;
    int sequence;
    std::vector<std::pair<std::size_t, std::string>> customer_bytes;
    std::vector<std::pair<std::size_t, std::string>> standard_bytes;
    bool expected;
  };
  // Offset 200 lies outside what a merge touches, so the difference stays after it.
  const std::vector<Case> cases = {
      {"DNLIST", 4, {{200, "ANYTHING"}}, {}, true},
      {"AG 4-8.+NEW", 1, {{200, "ANYTHING"}}, {}, true},
      {"FA 2-4", 0, {{17, "FA 2-4 IET=F"}}, {{17, "FA 2-4 IE=F "}}, true},
      {"FA 2-4", 0, {{17, "FA 2-4 IET=G"}}, {{17, "FA 2-4 IE=F "}}, false},
      {"FA 2-4", 1, {{17, "FA 2-4 IET=F"}}, {{17, "FA 2-4 IE=F "}}, false},
      {"FA 2-4 IE AB", 0, {{29, "1"}}, {{29, "2"}}, true},
      {"FA 2-4 IE AB", 0, {{29, "3"}}, {{29, "2"}}, false},
      {"FA 2-4 BGTWK", 2, {{34, "BUDGET"}}, {{34, "ACTUAL"}}, true},
      {"FA 2-4 BGTWK", 1, {{34, "BUDGET"}}, {{34, "ACTUAL"}}, false},
      {"FS 2-4", 0, {{154, "230"}}, {{154, "220"}}, true},
      {"FS 2-4", 0, {{154, "231"}}, {{154, "220"}}, false},
      {"XDNLIST", 0, {{200, "ANYTHING"}}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.report) + " " + std::to_string(c.sequence));
    // A later record of a control, or a first one with the same headings: the merge
    // changes nothing, so only the comparison decides.
    std::string s = standard('C', c.report, c.sequence);
    for (const auto& [offset, text] : c.standard_bytes)
      put(s, offset, text);
    std::string mine = customer_of(s);
    for (const auto& [offset, text] : c.customer_bytes)
      put(mine, offset, text);
    make_files({s}, {mine});
    std::filesystem::remove(folder / "Update.LOG");
    EXPECT_EQ(run('C'), c.expected ? '0' : '2');
    EXPECT_EQ(log().find("-Match Failed") == std::string::npos, c.expected) << log();
  }
}

TEST_P(RptctlVerifyTest, OutOfStepFilesAreShownAndReadingGoesOn) {
  // The customer lacks REPORTA 001 and has a report of its own that the standard lacks.
  const auto standards = standard_set();
  std::vector<std::string> customers = {customer_of(standards[0]), customer_of(standards[2]),
                                        customer_of(standards[3])};
  std::string own = customer_of(standard('C', "MYREPORT", 0));
  customers.insert(customers.begin() + 2, own);
  make_files(standards, customers);

  EXPECT_EQ(run('C'), '2');
  const std::string text = log();
  // The standard record and the customer's record at hand; then the files are in step
  // again: REPORTB is compared and equal, and the customer's own report is not reported.
  EXPECT_NE(text.find(" ---- Controls Version Number ----\n    -Out Of Sync\n    RPT REC = " +
                      shown_record(customers[1]) +
                      "\n    STD REC = " + shown_record(customer_of(standards[1])) +
                      "\n    Check Status = 2  Controls Processed = 2\n"
                      "    Std  Controls = 3\n    Cust Controls = 3\n    Loop Count = 4\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("MYREPORT"), std::string::npos) << text;
  EXPECT_EQ(text.find("-Match Failed"), std::string::npos) << text;

  // The update adds the missing record and keeps the customer's own.
  EXPECT_EQ(run('U'), '2');
  auto expected = customer_set();
  expected.insert(expected.begin(), own);  // its key sorts first
  EXPECT_EQ(customer_dump(), join(expected));
}

TEST_P(RptctlVerifyTest, UnknownTypesAreNamedAndLeftAlone) {
  auto standards = standard_set();
  standards.push_back(standard('T', "ODD", 0));
  auto customers = customer_set();
  customers.insert(customers.begin(), customer_of(standard('A', "MINE", 0)));
  make_files(standards, customers);
  EXPECT_EQ(run('U'), '0');
  EXPECT_NE(log().find("    -Unknown Type\n    STD REC = T"), std::string::npos) << log();
  EXPECT_NE(log().find("    -Unknown Type\n    RPT REC = A"), std::string::npos) << log();
  EXPECT_EQ(customer_dump(), join(customers));
}

TEST_P(RptctlVerifyTest, FileErrorsAreLoggedWithResultNine) {
  struct Case {
    const char* what;
    bool standard_file;
    bool customer_file;
    char mode;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"no standard file", false, true, 'C',
       "RptCtlFILE2 ERROR: 35>91 - OPEN: File Does Not Exist! |"},
      {"no customer file (check)", true, false, 'C',
       "RptCtlFILE ERROR: 35>91 - OPEN: File Does Not Exist! |"},
      {"no customer file (update)", true, false, 'U',
       "RptCtlFILE ERROR: 35>91 - OPEN: File Does Not Exist! |"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(folder / "Update.LOG");
    remove("QUARN.RPT");
    remove("QUARN-STD.RPT");
    if (c.standard_file) make("QUARN-STD.RPT", kStandard, standard_set());
    if (c.customer_file) make("QUARN.RPT", kCustomer, customer_set());
    EXPECT_EQ(run(c.mode), '9');
    EXPECT_EQ(log(), std::string(c.mode == 'C' ? "Check" : "Update") +
                         " Started 03/04/2026 09:05:07\n" + c.line + "\n")
        << log();
    EXPECT_EQ(c.customer_file, exists("QUARN.RPT")) << "a missing customer file is not made";
  }

  // A file that is not an indexed file of that layout.
  make("QUARN-STD.RPT", kStandard, standard_set());
  make("QUARN.RPT", kStandard, standard_set());
  std::filesystem::remove(folder / "Update.LOG");
  EXPECT_EQ(run('C'), '9');
  EXPECT_NE(log().find("RptCtlFILE ERROR: 39>9X - OPEN: File Attribute Conflict! |"),
            std::string::npos)
      << log();
}

TEST_P(RptctlVerifyTest, ALogThatCannotBeWrittenGivesNine) {
  make_files(standard_set(), customer_set());
  // The home folder does not exist: the log cannot be made, and the display shows why.
  set_home(folder.path().string() + "/missing/");
  EXPECT_EQ(run('C'), '9');
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Log File ERROR: 35>91 - OPEN: File Does Not Exist! |");
}

TEST_P(RptctlVerifyTest, AFullDiskForTheLogUndoesTheUpdate) {
  auto customers = customer_set();
  put(customers[0], 162, "06");
  make_files(standard_set(), customers);
  const std::string before = customer_dump();
  // The disk is full from the log's first write on.
  platform::files::syscalls().write = [](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };

  EXPECT_EQ(run('U'), '9');
  platform::files::reset_syscalls();
  EXPECT_EQ(customer_dump(), before) << "nothing goes unrecorded";
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], "Log File ERROR: 34>9X - WRITE: Area Shortage! |");
}

// "Update.LOG" is written only as a regular file of the home folder: a link planted under
// its name (to a user's profile, say) or anything else there is refused, with the log's
// error line, and its target is left alone.
TEST_P(RptctlVerifyTest, ALogThatIsALinkOrNoFileIsRefused) {
  auto customers = customer_set();
  put(customers[0], 162, "06");
  make_files(standard_set(), customers);
  const std::string before = customer_dump();
  const std::string log_path = folder / "Update.LOG";
  testing::TempFolder elsewhere;
  const std::string profile = elsewhere / "profile";
  const struct {
    const char* what;
    std::function<void()> plant;
  } cases[] = {
      {"a link to a file", [&] { std::filesystem::create_symlink(profile, log_path); }},
      {"a link to no file", [&] { std::filesystem::create_symlink(profile + ".new", log_path); }},
      {"a pipe", [&] { ASSERT_EQ(::mkfifo(log_path.c_str(), 0600), 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(profile) << "export PATH=/usr/bin\n";
    c.plant();
    shown.clear();
    EXPECT_EQ(run('U'), '9');
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Log File ERROR: 37>9X - I/O: Function Not Supported! |");
    EXPECT_EQ(testing::file_contents(profile), "export PATH=/usr/bin\n");
    EXPECT_FALSE(std::filesystem::exists(profile + ".new"));
    EXPECT_EQ(customer_dump(), before);
    std::filesystem::remove(log_path);
  }
}

// A failure part-way through an update, or at its end, leaves the customer's file exactly
// as it was.
TEST_P(RptctlVerifyTest, AnUpdateIsAllOrNothing) {
  // Three changes: a rewrite, an added control record and an added style.
  auto customers = customer_set();
  put(customers[0], 162, "06");
  customers.erase(customers.begin() + 3);
  customers.erase(customers.begin() + 2);
  for (const int successes : {0, 1, 2, 3}) {  // 3: the commit fails
    SCOPED_TRACE(successes);
    make_files(standard_set(), customers);
    std::filesystem::remove(folder / "Update.LOG");
    const std::string before = customer_dump();
    platform::IndexedFile::fail_change_after(successes, platform::status::kFull);
    EXPECT_EQ(run('U'), '9');
    platform::IndexedFile::fail_change_after(-1, platform::status::kOk);
    EXPECT_EQ(customer_dump(), before);
    const std::string text = log();
    EXPECT_NE(text.find("RptCtlFILE ERROR: 34>9X - WRITE: Area Shortage! |\n"
                        "    No Records Changed\n"),
              std::string::npos)
        << text;
  }
  // Without a failure the same update goes through.
  make_files(standard_set(), customers);
  EXPECT_EQ(run('U'), '2');
  EXPECT_EQ(customer_dump(), join(customer_set()));
}

TEST_P(RptctlVerifyTest, AFolderEndingInABackslashHoldsAllThreeFiles) {
  make_files(standard_set(), customer_set());
  set_home(folder.path().string() + "\\");
  EXPECT_EQ(run('C'), '0') << log();
  EXPECT_TRUE(log().starts_with("Check Started ")) << log();
}

TEST_P(RptctlVerifyTest, TheFolderIsAsLongAsItsLengthSays) {
  make_files(standard_set(), customer_set());
  const std::string home = folder.path().string() + "/";
  // Text beyond the length is not part of the folder.
  set_home(home + "NOT-PART-OF-IT/");
  area_length(home.size());
  EXPECT_EQ(run('C'), '0');
  EXPECT_TRUE(std::filesystem::exists(folder / "Update.LOG"));
}

}  // namespace
}  // namespace quarn
