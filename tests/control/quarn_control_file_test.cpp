#include "control/quarn_control_file.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "control/control_fixture.hpp"
#include "control/form_program.hpp"
#include "frame/external.hpp"

namespace quarn::testing {
namespace {

std::string ctlfl_path() {
  auto* area = frame::external<QuarnCtlflExternalValues>("QUARN-CTLFL-EXTERNAL-VALUES");
  return std::string(frame::trimmed(area->qc_path));
}

INSTANTIATE_TEST_SUITE_P(Backends, ControlFileOnBothTest,
                         ::testing::Values(TestBackend::kSqlite, TestBackend::kPostgresql),
                         backend_name);

TEST_P(ControlFileOnBothTest, InvalidMethodsAreRefusedWithoutTouchingTheFile) {
  const struct {
    std::string_view method;
    std::string_view message;
  } cases[] = {
      {"getUserGeneralControl", "XI=XX - I/O MODULE: Invalid Method getUserGeneralControl!"},
      {" GetUserGeneralControl", "XI=XX - I/O MODULE: Invalid Method !"},
      {"GetUserGeneralControlXY", "XI=XX - I/O MODULE: Invalid Method GetUserGeneralControlXY!"},
      {"Save User", "XI=XX - I/O MODULE: Invalid Method Save!"},
      {"", "XI=XX - I/O MODULE: Invalid Method !"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(request(c.method, "SECTION", "value"), "XX") << c.method;
    EXPECT_EQ(message_text(), c.message);
  }
  EXPECT_EQ(ctlfl_path(), "") << "the file is not opened";
  EXPECT_FALSE(std::filesystem::exists(folder / "QUARN.CTL"));
}

TEST_P(ControlFileOnBothTest, SettingsAreSavedReadReplacedAndDeleted) {
  // As in a new process: the area is zero bytes until someone sets it.
  std::memset(frame::external<QuarnCtlflExternalValues>("QUARN-CTLFL-EXTERNAL-VALUES"), 0, 102);
  EXPECT_EQ(request("SaveUserStationControl", "COLOURS", "blue"), "00");
  EXPECT_EQ(message_text(), "05>00 - OPEN: NEW QUARN Control File has been created!");
  EXPECT_EQ(ctlfl_path(), "\"" + folder.path().string() + "/QUARN.CTL\"");
  EXPECT_EQ(std::filesystem::exists(folder / "QUARN.CTL"), files_in_folder());

  EXPECT_EQ(request("GetUserStationControl", "COLOURS", "stale"), "00");
  EXPECT_EQ(value(), "blue");
  EXPECT_EQ(message_text(), "") << "no message once the file is open";

  EXPECT_EQ(request("SaveUserStationControl", "COLOURS", "green"), "00");
  EXPECT_EQ(request("GetUserStationControl", "COLOURS"), "00");
  EXPECT_EQ(value(), "green");

  EXPECT_EQ(request("SaveUserStationControl", "COLOURS", ""), "00");
  EXPECT_EQ(request("GetUserStationControl", "COLOURS", "stale"), "23");
  EXPECT_EQ(value(), "");
  EXPECT_EQ(message_text(), "") << "a missing setting is not an error";
  EXPECT_EQ(request("SaveUserStationControl", "COLOURS", ""), "23") << "deleting what is not there";
  EXPECT_EQ(message_text(), "");

  // One record per key: the second save replaced the first.
  ASSERT_EQ(request("SaveUserStationControl", "A", "1"), "00");
  ASSERT_EQ(request("SaveUserStationControl", "A", "2"), "00");
  platform::IndexedFile file({sizeof(QuarnCtlflRecord), 0, 48});
  ASSERT_EQ(file.open(folder / "QUARN.CTL", platform::OpenMode::kInput), platform::status::kOk);
  std::string record(sizeof(QuarnCtlflRecord), ' ');
  int records = 0;
  while (file.read_next(record) == platform::status::kOk)
    ++records;
  EXPECT_EQ(records, 1);
}

TEST_P(ControlFileOnBothTest, StationSettingsBelongToUserAndStationGeneralOnesToTheUser) {
  struct Save {
    std::string_view user, station, method, value;
  };
  const Save saves[] = {
      {"AB", "001", "SaveUserStationControl", "AB at 1"},
      {"CD", "001", "SaveUserStationControl", "CD at 1"},
      {"AB", "002", "SaveUserStationControl", "AB at 2"},
      {"AB", "002", "SaveUserGeneralControl", "AB anywhere"},
      {"CD", "001", "SaveUserGeneralControl", "CD anywhere"},
  };
  for (const Save& s : saves) {
    sign_on(*misc, s.user, s.station);
    ASSERT_EQ(request(s.method, "PLACE", s.value), "00");
  }
  const Save reads[] = {
      {"AB", "001", "GetUserStationControl", "AB at 1"},
      {"CD", "001", "GetUserStationControl", "CD at 1"},
      {"AB", "002", "GetUserStationControl", "AB at 2"},
      {"AB", "00A", "GetUserStationControl", "AB at 1"},  // sign zone on the last digit
      {"AB", "001", "GetUserGeneralControl", "AB anywhere"},
      {"AB", "009", "GetUserGeneralControl", "AB anywhere"},
      {"CD", "002", "GetUserGeneralControl", "CD anywhere"},
      {"CD", "002", "GetUserStationControl", ""},
      {"EF", "001", "GetUserGeneralControl", ""},
  };
  for (const Save& r : reads) {
    sign_on(*misc, r.user, r.station);
    EXPECT_EQ(request(r.method, "PLACE"), r.value.empty() ? "23" : "00")
        << r.user << " " << r.station << " " << r.method;
    EXPECT_EQ(value(), r.value) << r.user << " " << r.station << " " << r.method;
  }

  // The keys as stored: user, "0" and the station (zone dropped) or "0000", section.
  QuarnCtlflRecord record;
  std::memset(&record, 0, sizeof record);
  std::string keys;
  for (bool after = false; control::browse_control_file(record, after) == std::array{'0', '0'};
       after = true) {
    keys += std::string(record.ctlfl_user, 28) + "|";
  }
  EXPECT_EQ(keys,
            "AB  0000PLACE               |AB  0001PLACE               |"
            "AB  0002PLACE               |CD  0000PLACE               |"
            "CD  0001PLACE               |");
}

TEST(FormProgram, UnsetNamesAreSpacesSoTheWindowKeyHasNoFormPart) {
  control::FormProgram program;
  EXPECT_EQ(std::string(program.form_id_name, sizeof program.form_id_name),
            std::string(sizeof program.form_id_name, ' '));
  frame::put_text(program.program_id_name, "OrgEdit");
  const auto key = control::window_key(program.names());
  EXPECT_EQ(std::string(key.data(), key.size()), "OrgEdit-WINDOW      ");
}

TEST_P(ControlFileOnBothTest, WindowMethodsUseTheWindowKey) {
  const struct {
    std::string_view program, form, key;
  } keys[] = {
      {"OrgEdit", "", "OrgEdit-WINDOW"},
      {"OrgEdit", "Main Form", "OrgEdit-Main-WINDOW"},
      {"QnbkFolder", "Pick", "QnbkFolder-Pick-WINDO"},
      {"ABCDEFGHIJKLMN", "FormOne", "ABCDEFGHIJKLMN-FormO"},
      {"ABCDEFGHIJKLMN", "FormOther", "ABCDEFGHIJKLMN-FormO"},
      {"", "", "-WINDOW"},
  };
  for (const auto& k : keys) {
    const auto key = control::window_key({k.program, k.form});
    EXPECT_EQ(std::string(key.data(), key.size()),
              std::string(k.key.substr(0, 20)) +
                  std::string(20 - std::min<size_t>(20, k.key.size()), ' '))
        << k.program << "/" << k.form;
  }

  EXPECT_EQ(request("SaveUserWindowLocation", "IGNORED", "1,2,3,4", "ABCDEFGHIJKLMN", "FormOne"),
            "00");
  EXPECT_EQ(std::string(req.ctl_section, 20), "ABCDEFGHIJKLMN-FormO");
  EXPECT_EQ(request("SetUserWindowLocation", "", "", "ABCDEFGHIJKLMN", "FormOther"), "00");
  EXPECT_EQ(value(), "1,2,3,4") << "two forms of a long-named program share a key";
  EXPECT_EQ(request("CloseForm", "", "5,6,7,8", "ABCDEFGHIJKLMN", "FormOne"), "00");
  EXPECT_EQ(request("GetUserStationControl", "ABCDEFGHIJKLMN-FormO"), "00");
  EXPECT_EQ(value(), "5,6,7,8");

  // A C caller may pass the names as short strings.
  frame::put_text(req.ctl_method, "SetUserWindowLocation");
  ASSERT_EQ(quarn_control_file(&req, &message, "ABCDEFGHIJKLMN", "FormOne"), 0);
  EXPECT_EQ(value(), "5,6,7,8");
  ASSERT_EQ(quarn_control_file(&req, &message, "Short", nullptr), 0);
  EXPECT_EQ(std::string(req.ctl_section, 20), "Short-WINDOW        ");
}

TEST_F(ControlFileTest, EmptyHomeFolderMeansTheCurrentFolder) {
  const auto was = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  set_home_folder(*misc, "");
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "here"), "00");
  std::filesystem::current_path(was);
  EXPECT_EQ(ctlfl_path(), "\"QUARN.CTL\"");
  EXPECT_TRUE(std::filesystem::exists(folder / "QUARN.CTL"));
}

TEST_F(ControlFileTest, HomeFolderPaddedWithSpacesIsUsedWithoutThem) {
  std::memset(misc->xm_home_folder, ' ', sizeof misc->xm_home_folder);
  const std::string home = folder.path().string() + "/";
  std::memcpy(misc->xm_home_folder, home.data(), home.size());
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "here"), "00");
  EXPECT_TRUE(std::filesystem::exists(folder / "QUARN.CTL"));
}

TEST_F(ControlFileTest, HomeFolderEndingInABackslashHoldsTheFile) {
  set_home_folder(*misc, folder.path().string() + "\\");
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "here"), "00");
  EXPECT_TRUE(std::filesystem::exists(folder / "QUARN.CTL"));
  EXPECT_EQ(ctlfl_path(), "\"" + folder.path().string() + "\\QUARN.CTL\"");
}

TEST_F(ControlFileTest, FailedOpenIsReportedAndRetriedOnTheNextCall) {
  set_home_folder(*misc, folder.path().string() + "/missing/");
  EXPECT_EQ(request("GetUserGeneralControl", "X", "stale"), "91");
  EXPECT_EQ(message_text(), "35>91 - OPEN: File Does Not Exist! |");
  EXPECT_EQ(value(), "");
  EXPECT_EQ(ctlfl_path(), "") << "not open, so the next call tries again";

  std::filesystem::create_directory(folder / "missing");
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "now"), "00");
  EXPECT_EQ(message_text(), "05>00 - OPEN: NEW QUARN Control File has been created!");
}

TEST_F(ControlFileTest, FileErrorsGoThroughTheErrorProcedure) {
  ASSERT_EQ(request("SaveUserGeneralControl", "X", "one"), "00");
  control::set_control_file_busy_timeout(20);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open((folder / "QUARN.CTL").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(request("GetUserGeneralControl", "X", "stale"), "93");
  EXPECT_EQ(message_text(), "93=93 - OPEN: File In Use or Locked! |");
  EXPECT_EQ(value(), "");
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "two"), "93");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  control::set_control_file_busy_timeout(platform::IndexedFile::kDefaultBusyMilliseconds);

  EXPECT_EQ(request("GetUserGeneralControl", "X"), "00");
  EXPECT_EQ(value(), "one");

  // A file that is not a control file: attribute conflict, worded.
  control::close_control_file();
  const TempFolder other_home;
  {
    sqlite3* foreign = nullptr;
    ASSERT_EQ(sqlite3_open((other_home / "QUARN.CTL").c_str(), &foreign), SQLITE_OK);
    sqlite3_exec(foreign, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(foreign);
  }
  set_home_folder(*misc, other_home.path().string() + "/");
  EXPECT_EQ(request("GetUserGeneralControl", "X"), "9X");
  EXPECT_EQ(message_text(), "39>9X - OPEN: File Attribute Conflict! |");
}

// "QUARN.CTL" is opened only as a file of the home folder: a link planted under its name,
// to a file or to nothing, is refused with an error status and nothing is made or
// written at its target.
TEST_F(ControlFileTest, AControlFileThatIsALinkIsRefused) {
  const TempFolder elsewhere;
  std::ofstream(elsewhere / "empty");
  for (const std::string& target : {elsewhere / "new.ctl", elsewhere / "empty"}) {
    SCOPED_TRACE(target);
    control::close_control_file();
    std::filesystem::remove(folder / "QUARN.CTL");
    std::filesystem::create_symlink(target, folder / "QUARN.CTL");
    EXPECT_EQ(request("SaveUserGeneralControl", "X", "value"), "9X");
    EXPECT_EQ(message_text(), "37>9X - I/O: Function Not Supported! |");
    EXPECT_EQ(request("GetUserGeneralControl", "X"), "9X");
  }
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "new.ctl"));
  EXPECT_EQ(std::filesystem::file_size(elsewhere / "empty"), 0u);
}

// A control file put in place of the open one (a restore by rename, an import) is the
// file from then on: the process notices and opens it again instead of failing.
TEST_F(ControlFileTest, AControlFileReplacedUnderTheProcessIsOpenedAgain) {
  ASSERT_EQ(request("SaveUserGeneralControl", "X", "before"), "00");
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    std::filesystem::copy_file(folder / "QUARN.CTL", folder / "restored.ctl");
    std::filesystem::rename(folder / "restored.ctl", folder / "QUARN.CTL");
    for (int i = 0; i < 5; ++i) {
      ASSERT_EQ(request("SaveUserGeneralControl", "X", "value " + std::to_string(i)), "00")
          << message_text();
    }
    ASSERT_EQ(request("GetUserGeneralControl", "X"), "00");
    EXPECT_EQ(value(), "value 4");
  }
  // What was saved is in the file on disk.
  control::close_control_file();
  ASSERT_EQ(request("GetUserGeneralControl", "X"), "00");
  EXPECT_EQ(value(), "value 4");
}

// A home folder without "QUARN.CTL" where no file can be made: not permitted, not missing.
TEST_F(ControlFileTest, AFolderWhereTheFileCannotBeMadeIsNotPermitted) {
  const TempFolder locked;
  std::string home = locked.path().string() + "/";
  if (::geteuid() == 0) {
    // Permissions do not hold for root; the system's folder of kernel objects does.
    home = "/sys/";
  } else {
    std::filesystem::permissions(
        locked.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  }
  set_home_folder(*misc, home);
  EXPECT_EQ(request("SaveUserGeneralControl", "X", "value"), "9X");
  EXPECT_EQ(message_text(), "37>9X - I/O: Function Not Supported! |");
  std::filesystem::permissions(locked.path(), std::filesystem::perms::owner_all);
}

TEST_F(ControlFileTest, NullRecordsAreRefused) {
  EXPECT_EQ(quarn_control_file(nullptr, &message, nullptr, nullptr), -1);
  EXPECT_EQ(quarn_control_file(&req, nullptr, nullptr, nullptr), -1);
  char status[2];
  EXPECT_EQ(quarn_control_file_browse(nullptr, 0, status), -1);
}

}  // namespace
}  // namespace quarn::testing
