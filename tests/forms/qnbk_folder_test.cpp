// QNBK-FOLDER on the headless runtime: real backups through quarn-xcopy and zip, every
// message of the checks, the existing-zip question, the cloud tool through the program map,
// the options and what is remembered.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "form_fixture.hpp"
#include "forms/qnbk_folder/qnbk_folder_form.hpp"
#include "frame/external.hpp"
#include "platform/clock.hpp"
#include "platform/files.hpp"
#include "quarn/quarn-m.h"

namespace quarn::testing {
namespace {

namespace fs = std::filesystem;
namespace ui = forms::qnbk_folder::control;

constexpr int kCritical = 16;
constexpr std::string_view kZipName = "CO1 (2024-05-01 1315).zip";

// Files of the include patterns, others, and a sub-folder whose name and file match them.
const std::vector<std::string> kIncluded = {"db.mdb",      "donor.dn2", "ledger.gl1", "names.adb",
                                            "orgfile.dat", "pay.pa",    "rm.rm1"};
const std::vector<std::string> kOthers = {"ORGFILE", "notes.txt"};

std::vector<std::string> listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

// The names stored in a zip file, as unzip lists them.
std::vector<std::string> zip_names(const std::string& zip) {
  std::vector<std::string> names;
  const std::string command = "unzip -Z1 '" + zip + "' 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string name = line;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
      name.pop_back();
    names.push_back(name);
  }
  ::pclose(pipe);
  std::sort(names.begin(), names.end());
  return names;
}

class BackupTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    area = frame::external<QuarnQnbkParameters>("QNBK-PARAMETERS");
    ASSERT_NE(area, nullptr);
    std::memset(area, ' ', sizeof *area);
    platform::set_clock([] { return platform::LocalTime{2024, 5, 1, 13, 15, 42}; });
    source = home + "CO1/";
    for (const auto& names : {kIncluded, kOthers})
      for (const std::string& name : names)
        write_file(source + name, name + " contents\n");
    write_file(source + "old.adb/inner.adb", "in a sub-folder\n");
    destination = home + "BK/";
    fs::create_directories(destination);
    record = home + "recorded.txt";
    setenv("QUARN_RECORD_FILE", record.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("QUARN_RECORD_FILE");
    platform::files::reset_syscalls();
    platform::set_clock({});
    FormTest::TearDown();
  }

  // The caller's presets: the marker makes the form back up at once.
  void preset(const std::string& folder, const std::string& to, char cloud = ' ') {
    frame::put_text(area->qnbk_marker, "QNBK");
    frame::put_text(area->qnbk_folder, folder);
    frame::put_text(area->qnbk_destination, to);
    area->qnbk_cloud_flag[0] = cloud;
  }
  // The form's own fields, typed, and the Backup button (in zip mode when asked).
  std::string typed_backup(const std::string& folder, const std::string& to, bool zip = false) {
    return "type Source-Folder-CmText " + quoted(folder) + "\ntype Destination-CmText " +
           quoted(to) + "\n" + (zip ? "check Zip-MenuItem 1\n" : "") + "click _CmBtn-Backup\n";
  }
  std::int32_t run() {
    std::int32_t outcome = -1;
    QUARN_QNBK_FOLDER(nullptr, nullptr, &outcome, nullptr, nullptr, nullptr);
    return outcome;
  }
  std::string result() const { return std::string(area->qnbk_result, 2); }
  std::shared_ptr<forms::HeadlessForm> form() const { return runtime.last_form("QNBK-Folder"); }
  void map(const std::string& lines) { write_file(home + "quarn-programs.map", lines); }
  std::string setting(std::string_view section) {
    return request("GetUserGeneralControl", section) == "00" ? value() : "(none)";
  }
  // What the recorder received, once it has ended (programs not waited for included).
  std::string recorded() const {
    for (int i = 0; i < 500 && !file_contents(record).ends_with("end\n"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return file_contents(record);
  }
  std::string zip_file() const { return destination + std::string(kZipName); }

  QuarnQnbkParameters* area = nullptr;
  std::string source, destination, record;
};

TEST_F(BackupTest, CopyModeCopiesTheFilesOfTheFolderAndNoSubFolder) {
  const std::string to = home + "NEW/";
  preset(source, to);
  script("answer Yes\n");  // create the destination
  EXPECT_EQ(run(), 1);
  expect_script_done();
  EXPECT_EQ(message_texts(),
            (std::vector<std::string>{
                "The backup destination folder path " + to +
                    " does not exist.  Do you want to create it?",
                "Copying files from " + source + " to " + to,
                "Files from " + source + " have been successfully copied to folder " + to}));
  EXPECT_EQ(runtime.messages()[0].caption, "QUARN-QNBK-Folder");
  EXPECT_EQ(runtime.messages()[0].style, 36);
  std::vector<std::string> all = kIncluded;
  all.insert(all.end(), kOthers.begin(), kOthers.end());
  std::sort(all.begin(), all.end());
  EXPECT_EQ(listing(to), all);
  EXPECT_EQ(file_contents(to + "names.adb"), "names.adb contents\n");
  EXPECT_EQ(result(), "00");
  EXPECT_EQ(setting("LAST-QNBK-SOURCE-FOL"), source);
  EXPECT_EQ(setting("LAST-QNBK-DEST-FOLDE"), to);
  ASSERT_NE(form(), nullptr);
  EXPECT_TRUE(form()->ended());
}

TEST_F(BackupTest, ZipModeStoresOnlyTheIncludedFilesWithoutFolderNames) {
  script(typed_backup(source, destination, true));
  EXPECT_EQ(run(), 1);
  expect_script_done();
  EXPECT_EQ(message_texts(), (std::vector<std::string>{
                                 "Creating folder zip file " + zip_file(),
                                 "Backup ZIP file " + zip_file() +
                                     " has been successfully created and contains zipped files "
                                     "from " +
                                     source}));
  EXPECT_EQ(listing(destination), std::vector<std::string>{std::string(kZipName)});
  EXPECT_EQ(zip_names(zip_file()), kIncluded);
  EXPECT_EQ(result(), "00");
  EXPECT_EQ(forms::control_text(*form(), ui::kNote, forms::property::kCaption),
            forms::qnbk_folder::kZipNote);
}

// The zip of the same minute exists: replaced only when the user says so, and the old one
// is kept until the new one is there.
TEST_F(BackupTest, AnExistingZipIsReplacedOnlyOnYesAndNeverLost) {
  struct Case {
    const char* answer;
    const char* zip_program;  // program map entry; empty: the real zip
    std::string last_message;
    const char* result;
    bool old_kept;
    bool hard_links = true;  // false: a file system without them, where the old is renamed
  };
  const std::string created = "Backup ZIP file " + zip_file() +
                              " has been successfully created and contains zipped files from " +
                              source;
  const Case cases[] = {
      {"Yes", "", created, "00", false},
      {"No", "", "", "01", true},
      {"Yes", "ZIP.EXE = true\n",
       "ERROR: Backup destination ZIP file: " + zip_file() + " was not created.", "02", true},
      {"Yes", "ZIP.EXE = true\n",
       "ERROR: Backup destination ZIP file: " + zip_file() + " was not created.", "02", true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.answer) + " " + c.zip_program);
    fs::remove_all(destination);
    write_file(zip_file(), "the old backup");
    map(c.zip_program);
    runtime.clear_messages();
    script(typed_backup(source, destination, true) + "answer " + c.answer + "\n");
    if (!c.hard_links)
      platform::files::syscalls().link = [](const char*, const char*) {
        errno = EPERM;
        return -1;
      };
    run();
    platform::files::reset_syscalls();
    expect_script_done();
    const std::vector<std::string> texts = message_texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "The folder zip file " + zip_file() +
                            " already exists in the backup destination location. Do you want "
                            "to replace the old backup zip file?");
    EXPECT_EQ(runtime.messages()[0].style, 292);
    EXPECT_EQ(texts.size() == 1 ? std::string() : texts.back(), c.last_message);
    EXPECT_EQ(result(), c.result);
    EXPECT_EQ(file_contents(zip_file()) == "the old backup", c.old_kept);
    EXPECT_EQ(listing(destination), std::vector<std::string>{std::string(kZipName)})
        << "nothing set aside is left";
  }
}

TEST_F(BackupTest, AnOldZipThatCannotBeRemovedAbortsTheBackup) {
  write_file(zip_file(), "the old backup");
  // Zip files cannot be removed; the probe files of the folder checks can.
  platform::files::syscalls().unlink = [](const char* path) {
    if (!std::string_view(path).ends_with(".zip")) return ::unlink(path);
    errno = EACCES;
    return -1;
  };
  script(typed_backup(source, destination, true) + "answer Yes\n");
  run();
  platform::files::reset_syscalls();
  EXPECT_EQ(message_texts().back(),
            "ERROR: Failed to delete file: " + zip_file() + "--Aborting the backup.");
  EXPECT_EQ(result(), "02");
  EXPECT_EQ(file_contents(zip_file()), "the old backup");
}

// Each check stops at its message: nothing is copied and the form ends with "02".
TEST_F(BackupTest, TheFoldersAreCheckedBeforeAnythingRuns) {
  struct Case {
    std::string folder, to, message;
  };
  const Case cases[] = {
      {"", destination, "ERROR: \"Folder to Backup\" has not been specified."},
      {home + "CO1", destination, "ERROR: Folder to Backup [" + home + "CO1] must end with \"\\\""},
      {home + "NONE/", destination,
       "ERROR: \"Folder to Backup\" [" + home + "NONE/] cannot be resolved."},
      {source, "", "ERROR: Backup destination folder path is missing."},
      {source, home + "BK",
       "ERROR: Backup destination folder path [" + home + "BK] must end with \"\\\""},
      {source, source, "ERROR: The destinantion folder cannot be the same as the Source folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    runtime.clear_messages();
    script(typed_backup(c.folder, c.to));
    EXPECT_EQ(run(), 0);
    expect_script_done();
    EXPECT_EQ(message_texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(runtime.messages().back().style, kCritical);
    EXPECT_EQ(result(), "02");
    EXPECT_TRUE(form()->ended());
  }
  EXPECT_TRUE(listing(destination).empty());
}

// A missing destination is made only on Yes; a drive letter alone gets its backslash.
TEST_F(BackupTest, AMissingDestinationIsCreatedOnlyWhenTheUserSaysSo) {
  struct Case {
    std::string typed, asked_for, answer, result;
    bool created;
  };
  const Case cases[] = {
      {home + "NEW/", home + "NEW/", "Yes", "00", true},
      {home + "NEW/", home + "NEW/", "No", "01", false},
      {"Q:", "Q:\\", "No", "01", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed + " " + c.answer);
    fs::remove_all(home + "NEW");
    runtime.clear_messages();
    script(typed_backup(source, c.typed) + "answer " + c.answer + "\n");
    run();
    expect_script_done();
    EXPECT_EQ(message_texts().front(), "The backup destination folder path " + c.asked_for +
                                           " does not exist.  Do you want to create it?");
    EXPECT_EQ(result(), c.result);
    EXPECT_EQ(fs::is_directory(c.asked_for), c.created);
  }
  EXPECT_FALSE(fs::exists("Q:")) << "nothing made in the current folder";
}

TEST_F(BackupTest, CommandLinesLongerThan255CharactersAreRefused) {
  // Folders of 128 characters: the zip command and the copy command are both too long.
  const std::string long_source = home + std::string(127 - home.size(), 'S') + "/";
  const std::string long_destination = home + std::string(127 - home.size(), 'D') + "/";
  ASSERT_EQ(long_source.size(), 128u);
  fs::create_directories(long_source);
  fs::create_directories(long_destination);
  write_file(long_source + "names.adb", "x");
  for (const bool zip : {true, false}) {
    SCOPED_TRACE(zip ? "zip" : "copy");
    runtime.clear_messages();
    script(typed_backup(long_source, long_destination, zip));
    run();
    expect_script_done();
    EXPECT_EQ(message_texts().back(), "ERROR: Backup failed. Folder paths are too long!");
    EXPECT_EQ(result(), "02");
    EXPECT_TRUE(listing(long_destination).empty());
  }
}

TEST_F(BackupTest, AProgramThatCannotStartOrFailsFailsTheBackup) {
  struct Case {
    bool zip;
    std::string map, message;
  };
  const Case cases[] = {
      {false, "XCOPY = /nonexistent/xcopy\n", "ERROR: Failed to copy file(s). Aborting backup!"},
      // A copy program that reports a failure (ls finds no file named "...CO1/*.*").
      {false, "XCOPY = ls\n", "ERROR: Failed to copy file(s). Aborting backup!"},
      {true, "ZIP.EXE = /nonexistent/zip\n",
       "ERROR: Backup failed.  ZIP.EXE may not be installed in QUARN folder!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.map);
    map(c.map);
    runtime.clear_messages();
    script(typed_backup(source, destination, c.zip));
    run();
    expect_script_done();
    EXPECT_EQ(message_texts().back(), c.message);
    EXPECT_EQ(result(), "02");
  }
  EXPECT_TRUE(listing(destination).empty());
}

// The caller's cloud flag makes it a zip backup whose file goes to the cloud tool, when the
// program map names one.
TEST_F(BackupTest, TheCloudStepRunsTheMappedToolWithTheZipFile) {
  map(std::string("CBackup.exe = ") + QUARN_TEST_RECORDER + "\n");
  preset(source, destination, 'Y');
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(recorded(), "[" + zip_file() + "]\n[KRV274]\nend\n");
  EXPECT_EQ(zip_names(zip_file()), kIncluded);
  EXPECT_EQ(result(), "00");

  fs::remove(zip_file());
  map("");
  runtime.clear_messages();
  preset(source, destination, 'Y');
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(message_texts().back(), "ERROR: Cloud backup failed.");
  EXPECT_EQ(result(), "02");
  EXPECT_TRUE(fs::exists(zip_file())) << "the zip file made is kept";
}

TEST_F(BackupTest, TheCloudOptionIsRememberedAndForcesZipMode) {
  const auto zip_item = [&](std::string_view name) {
    return forms::control_number(*form(), ui::kZip, name);
  };
  script("check Cloud-MenuItem 1\nclick _CmBtn-Exit\n");
  EXPECT_EQ(run(), 0);
  expect_script_done();
  EXPECT_EQ(setting("QNBK-CLOUD-FLAG"), "CLOUD=Y");
  EXPECT_EQ(zip_item(forms::property::kChecked), 1);
  EXPECT_EQ(zip_item(forms::property::kEnabled), 0);
  EXPECT_EQ(result(), "01");

  // The stored option at the next opening; switched off, zip mode may be left again.
  script("check Cloud-MenuItem 0\ncheck Zip-MenuItem 0\nclose\n");
  run();
  expect_script_done();
  EXPECT_EQ(setting("QNBK-CLOUD-FLAG"), "CLOUD=N");
  EXPECT_EQ(zip_item(forms::property::kChecked), 0);
  EXPECT_EQ(zip_item(forms::property::kEnabled), 1);
  EXPECT_EQ(forms::control_text(*form(), ui::kNote, forms::property::kCaption),
            forms::qnbk_folder::kCopyNote);
}

TEST_F(BackupTest, TheFoldersComeFromTheCallerTheSettingsOrTheHomeFolder) {
  // Nothing given: the home folder's DATA and BACKUP, the latter made at once.
  area->qnbk_cloud_flag[0] = 'Y';  // read only with the marker
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(forms::control_text(*form(), ui::kSource), home + "DATA/");
  EXPECT_EQ(forms::control_text(*form(), ui::kDestination), home + "BACKUP/");
  EXPECT_TRUE(fs::is_directory(home + "BACKUP"));
  EXPECT_EQ(result(), "01");
  EXPECT_EQ(area->qnbk_cloud_flag[0], ' ');
  EXPECT_EQ(forms::control_number(*form(), ui::kCloud, forms::property::kChecked), 0);

  // Remembered folders, and a caller's destination before the remembered one.
  request("SaveUserGeneralControl", "LAST-QNBK-SOURCE-FOL", home + "OLD/");
  request("SaveUserGeneralControl", "LAST-QNBK-DEST-FOLDE", home + "OLDBK/");
  run();
  EXPECT_EQ(forms::control_text(*form(), ui::kSource), home + "OLD/");
  EXPECT_EQ(forms::control_text(*form(), ui::kDestination), home + "OLDBK/");
  frame::put_text(area->qnbk_destination, home + "GIVEN/");
  run();
  EXPECT_EQ(forms::control_text(*form(), ui::kDestination), home + "GIVEN/");
}

TEST_F(BackupTest, TheBrowseButtonsFillTheFieldsThroughTheBrowseArea) {
  script(
      "click CmBtn-Source-Folder-Browse\nfolder /picked/source\n"
      "click CmBtn-Dest-Folder-Browse\nfolder cancel\n"
      "close\n");
  run();
  expect_script_done();
  ASSERT_EQ(runtime.dialogs().size(), 2u);
  EXPECT_EQ(runtime.dialogs()[0].title, "Folder to Backup");
  EXPECT_EQ(runtime.dialogs()[0].start, home + "DATA/");
  EXPECT_EQ(runtime.dialogs()[1].title, "Destination Location for Backup");
  EXPECT_EQ(forms::control_text(*form(), ui::kSource), "/picked/source/");
  EXPECT_EQ(forms::control_text(*form(), ui::kDestination), home + "BACKUP/");
  // The last request as the browse fields hold it: cancelled, for the destination.
  EXPECT_EQ(frame::text_of(misc->xm_browse_result), "0000");
  EXPECT_EQ(frame::trimmed(misc->xm_browse_title), "Destination Location for Backup");
  EXPECT_EQ(std::string(misc->xm_browse_folder, 11), "DESTINATION");
}

// The picture's path reaches the print program as one argument, whatever the home folder's
// name holds.
TEST_F(BackupTest, PrintScreenPassesAHomeFolderWithAQuoteWhole) {
  const std::string quoted_home = home + "my \"quoted\" home/";
  fs::create_directories(quoted_home);
  control::close_control_file();
  set_home_folder(*misc, quoted_home);
  frame::write_be16(misc->xm_folder_length, static_cast<std::int16_t>(quoted_home.size()));
  write_file(quoted_home + "quarn-programs.map",
             std::string("PRINTIMAGE = ") + QUARN_TEST_RECORDER + "\n");
  script("click PrintScreen-Menu\nclick _CmBtn-Exit\n");
  run();
  expect_script_done();
  EXPECT_TRUE(message_texts().empty());
  EXPECT_EQ(recorded(), "[" + quoted_home + "QNBK-FOLDER-SCREEN.txt]\nend\n");
  EXPECT_TRUE(fs::exists(quoted_home + "QNBK-FOLDER-SCREEN.txt"));
}

TEST_F(BackupTest, HelpOpensTheBackupPage) {
  map(std::string("wscript = ") + QUARN_TEST_RECORDER + "\n");
  script("click Help-Menu\nclick _CmBtn-Exit\n");
  run();
  expect_script_done();
  EXPECT_EQ(recorded(),
            "[" + home + "\\openhelps.vbs]\n[QUARN.CHM]\n[QUARN_BackupFolder.htm]\nend\n");
}

}  // namespace
}  // namespace quarn::testing
