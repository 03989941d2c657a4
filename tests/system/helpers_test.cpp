// The helper programs that the program map puts in place of the suite's outside programs,
// started as the library's own command lines start them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

// Runs a command line through START-EXE and waits: the exit code, or -1 when not started.
int run(const std::string& line) {
  QuarnSeCommandLine command;
  std::memset(command.se_command_line, ' ', sizeof command.se_command_line);
  std::memcpy(command.se_command_line, line.data(), std::min(line.size(), std::size_t{255}));
  const std::int16_t show = 1;
  const std::int16_t wait = 1;
  std::int32_t exit_code = -1;
  std::int32_t started = 0;
  QUARN_START_EXE(&command, &show, &wait, &exit_code, &started);
  return started != 0 ? exit_code : -1;
}

// The suite's way of writing a path.
std::string backslashed(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

class Helpers : public ::testing::Test {
 protected:
  void SetUp() override { set_home(""); }
  ScratchFolder folder_;
};

TEST_F(Helpers, XcopyCopiesTheFilesOfAFolder) {
  const std::string source = folder_ / "CO1";
  fs::create_directories(source + "/sub");
  write_file(source + "/orgfile.dat", "org");
  write_file(source + "/noext", "plain");
  write_file(source + "/sub/inner.dat", "inner");
  const std::string destination = folder_ / "backup";
  EXPECT_EQ(run("XCOPY \"" + backslashed(source) + "\\*.*\" \"" + backslashed(destination) + "\""),
            0);
  EXPECT_EQ(read_file(destination + "/orgfile.dat"), "org");
  EXPECT_EQ(read_file(destination + "/noext"), "plain");
  EXPECT_FALSE(fs::exists(destination + "/sub")) << "sub-folders are not copied";

  EXPECT_EQ(run("xcopy.exe \"" + source + "/*.zz\" \"" + destination + "\""), 1) << "no match";
  EXPECT_EQ(run("XCOPY \"" + (folder_ / "none") + "/*.*\" \"" + destination + "\""), 4);
  EXPECT_EQ(run("XCOPY onlyone"), 4);
}

// A link planted in the destination under a file's name is replaced by the copy, never
// written through: the file it points at keeps its contents.
TEST_F(Helpers, XcopyReplacesALinkInTheDestination) {
  const std::string source = folder_ / "CO1";
  const std::string destination = folder_ / "backup";
  fs::create_directories(source);
  fs::create_directories(destination);
  write_file(source + "/names.adb", "names");
  write_file(folder_ / "victim.txt", "kept");
  fs::create_symlink(folder_ / "victim.txt", destination + "/names.adb");
  EXPECT_EQ(run("XCOPY \"" + source + "/*.*\" \"" + destination + "\""), 0);
  EXPECT_EQ(read_file(folder_ / "victim.txt"), "kept");
  EXPECT_FALSE(fs::is_symlink(destination + "/names.adb"));
  EXPECT_EQ(read_file(destination + "/names.adb"), "names");
  EXPECT_EQ(std::distance(fs::directory_iterator(destination), fs::directory_iterator()), 1)
      << "no work file is left beside the copy";
}

TEST_F(Helpers, Hex2BinWritesTheBytes) {
  write_file(folder_ / "ImgVwr.hex", "FFD8ffe0\r\n0010 4A46\n");
  EXPECT_EQ(run("Hex2Bin.exe " + backslashed(folder_ / "ImgVwr.hex") + "," +
                backslashed(folder_ / "ImgVwr.jpg")),
            0);
  EXPECT_EQ(read_file(folder_ / "ImgVwr.jpg"), std::string("\xFF\xD8\xFF\xE0\x00\x10\x4A\x46", 8));

  write_file(folder_ / "bad.hex", "FFD8G0");
  EXPECT_EQ(run("Hex2Bin.exe " + (folder_ / "bad.hex") + "," + (folder_ / "bad.bin")), 1);
  EXPECT_FALSE(fs::exists(folder_ / "bad.bin"));
  write_file(folder_ / "odd.hex", "FFD");
  EXPECT_EQ(run("Hex2Bin.exe " + (folder_ / "odd.hex") + "," + (folder_ / "odd.bin")), 1);
  EXPECT_EQ(run("Hex2Bin.exe " + (folder_ / "missing.hex") + "," + (folder_ / "x.bin")), 3);
  EXPECT_EQ(run("Hex2Bin.exe nocomma"), 2);
}

TEST_F(Helpers, ScriptHostRunsTheSuiteScriptOrOpensThePage) {
  // A script of the same base name beside "gotoweb.vbs" runs with the arguments.
  write_file(folder_ / "gotoweb.sh", "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/ran.txt\"\n");
  fs::permissions(folder_ / "gotoweb.sh", fs::perms::owner_all);
  EXPECT_EQ(run("wscript " + backslashed(folder_ / "gotoweb.vbs") + " 1"), 0);
  EXPECT_EQ(read_file(folder_ / "ran.txt"), "1\n");

  // Without one, the page is opened with the opener.
  RecorderOnPath recorder(folder_, "opener");
  ::setenv("QUARN_OPENER", "opener", 1);
  write_file(folder_ / "QUARN_FileMenu.htm", "<html></html>");
  EXPECT_EQ(run("wscript " + backslashed(folder_.path().string()) +
                "\\\\openhelps.vbs QUARN.CHM QUARN_FileMenu.htm#CompanyInfo"),
            0);
  const std::string page = fs::canonical(folder_ / "QUARN_FileMenu.htm").string();
  EXPECT_EQ(recorder.arguments(), std::vector<std::string>{"file://" + page + "#CompanyInfo"});
  // Nothing to open.
  EXPECT_EQ(run("wscript " + backslashed(folder_.path().string()) + "\\\\openhelps.vbs NO.CHM"), 1);
  ::unsetenv("QUARN_OPENER");
}

// The script host runs a program only in the place of a suite script (".vbs").
TEST_F(Helpers, ScriptHostRunsAProgramOnlyForASuiteScript) {
  const std::string marker = folder_ / "ran.txt";
  write_file(folder_ / "gotoweb", "#!/bin/sh\necho here \"$@\" > " + marker + "\n");
  fs::permissions(folder_ / "gotoweb", fs::perms::owner_all);
  for (const std::string& script : {folder_ / "gotoweb", folder_ / "gotoweb.sh"}) {
    SCOPED_TRACE(script);
    EXPECT_EQ(run("wscript " + script + " 1"), 1);
    EXPECT_FALSE(fs::exists(marker));
  }
  EXPECT_EQ(run("wscript " + (folder_ / "gotoweb.VBS") + " 1"), 0);
  EXPECT_EQ(read_file(marker), "here 1\n");
}

// With no folder before the script's name, the program checked in the current folder is
// the one that runs, never a namesake on the search path.
TEST_F(Helpers, ScriptHostRunsTheProgramItChecked) {
  RecorderOnPath on_path(folder_, "gotoweb");
  const std::string marker = folder_ / "ran.txt";
  write_file(folder_ / "gotoweb", "#!/bin/sh\necho here \"$@\" > " + marker + "\n");
  fs::permissions(folder_ / "gotoweb", fs::perms::owner_all);
  const fs::path old_folder = fs::current_path();
  fs::current_path(folder_.path());
  EXPECT_EQ(run("wscript gotoweb.vbs 1"), 0);
  fs::current_path(old_folder);
  EXPECT_EQ(read_file(marker), "here 1\n");
  EXPECT_FALSE(fs::exists(on_path.record())) << "the search path's namesake did not run";
}

}  // namespace
}  // namespace quarn::testing
