#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/process.hpp"
#include "platform/program_map.hpp"
#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

namespace process = platform::process;

struct StartResult {
  std::int32_t started;
  std::int32_t exit_code;
};

StartResult start_exe(const std::string& line, std::int16_t wait) {
  QuarnSeCommandLine command;
  std::memset(command.se_command_line, ' ', sizeof command.se_command_line);
  std::memcpy(command.se_command_line, line.data(), std::min(line.size(), std::size_t{255}));
  const std::int16_t show = 1;
  StartResult result{-1, -1};
  QUARN_START_EXE(&command, &show, &wait, &result.exit_code, &result.started);
  return result;
}

TEST(SplitCommandLine, RuntimeRules) {
  struct Case {
    const char* line;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {R"(prog "a b c" d e)", {"prog", "a b c", "d", "e"}},
      {R"(prog "ab\"c" "\\" d)", {"prog", R"(ab"c)", R"(\)", "d"}},
      {R"(prog a\\\b d"e f"g h)", {"prog", R"(a\\\b)", "de fg", "h"}},
      {R"(prog a\\\"b c d)", {"prog", R"(a\"b)", "c", "d"}},
      {R"(prog a\\\\"b c" d e)", {"prog", R"(a\\b c)", "d", "e"}},
      {R"(prog a"b"" c d)", {"prog", R"(ab" c d)"}},
      // The program path: quotes group, backslashes stay.
      {R"("C:\Program Files\x.exe" a)", {R"(C:\Program Files\x.exe)", "a"}},
      {R"(C:\dir\\x.exe\" a)", {R"(C:\dir\\x.exe\ a)"}},
      {"\tprog\t a  \t b ", {"prog", "a", "b"}},
      {R"(prog "unterminated  quote)", {"prog", "unterminated  quote"}},
      {R"(prog "")", {"prog", ""}},
      {"   ", {}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(process::split_command_line(c.line), c.args) << c.line;
}

class StartExe : public ::testing::Test {
 protected:
  void SetUp() override { set_home(""); }
  void TearDown() override { process::reset_syscalls(); }
  ScratchFolder folder_;
};

TEST_F(StartExe, WaitsForTheProgramAndReturnsItsExitCode) {
  ::setenv("QUARN_RECORD_FILE", (folder_ / "record.txt").c_str(), 1);
  const StartResult result = start_exe(std::string(QUARN_TEST_RECORDER) + " exit=7", 1);
  EXPECT_EQ(result.started, 1);
  EXPECT_EQ(result.exit_code, 7);
  // Waited for: the record is complete at return.
  EXPECT_NE(read_file(folder_ / "record.txt").find("end\n"), std::string::npos);
  ::unsetenv("QUARN_RECORD_FILE");
}

TEST_F(StartExe, WithoutWaitingGivesExitCodeZeroAndReapsTheChildLater) {
  ::setenv("QUARN_RECORD_FILE", (folder_ / "record.txt").c_str(), 1);
  const StartResult result = start_exe(std::string(QUARN_TEST_RECORDER) + " exit=9", 0);
  EXPECT_EQ(result.started, 1);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(recorded_arguments(folder_ / "record.txt"), std::vector<std::string>{"exit=9"});

  // A later call that cannot start anything neither waits on nor reports the earlier
  // child, and the ended child is reaped by it.
  const StartResult missing = start_exe(folder_ / "no-such-program", 1);
  EXPECT_EQ(missing.started, 0);
  EXPECT_EQ(missing.exit_code, 0);
  // The child may still be ending after its last write: later calls reap it once it has.
  for (int i = 0; i < 500 && process::pending_children() != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    start_exe("", 0);
  }
  EXPECT_EQ(process::pending_children(), 0u);
  ::unsetenv("QUARN_RECORD_FILE");
}

TEST_F(StartExe, NothingStartedGivesZero) {
  const std::string blank(255, ' ');
  for (const std::string& line :
       {std::string(folder_ / "missing.exe") + " a.txt", std::string("no-such-program-on-path"),
        blank, folder_.path().string() /* a folder */, std::string("\"\" arg")}) {
    const StartResult result = start_exe(line, 1);
    EXPECT_EQ(result.started, 0) << line;
    EXPECT_EQ(result.exit_code, 0) << line;
  }
}

TEST_F(StartExe, ArgumentsArriveIntactWithoutAShell) {
  RecorderOnPath recorder(folder_, "rec");
  const std::string marker = folder_ / "pwned";
  const StartResult result = start_exe("rec \"two words\" ;touch " + marker +
                                           " && echo $(id) | cat > x `uname` 'q' "
                                           "\"say \"\"hi\"\"\" a\\\\\\\"b *.*",
                                       1);
  EXPECT_EQ(result.started, 1);
  EXPECT_EQ(
      recorder.arguments(),
      (std::vector<std::string>{"two words", ";touch", marker, "&&", "echo", "$(id)", "|", "cat",
                                ">", "x", "`uname`", "'q'", "say \"hi\"", "a\\\"b", "*.*"}));
  EXPECT_FALSE(fs::exists(marker));
}

TEST_F(StartExe, FullLineAndLoneFirstCharacter) {
  RecorderOnPath recorder(folder_, "r");
  // 255 characters with no space at the end: the whole line is used.
  std::string line = "r ";
  line += std::string(253, 'x');
  EXPECT_EQ(start_exe(line, 1).started, 1);
  EXPECT_EQ(recorder.arguments(), std::vector<std::string>{std::string(253, 'x')});
  fs::remove(recorder.record());
  // One character alone keeps its trailing spaces; they are not an argument.
  EXPECT_EQ(start_exe("r", 1).started, 1);
  EXPECT_EQ(recorder.arguments(), std::vector<std::string>{});
}

TEST_F(StartExe, SpawnFailuresAndInterruptedWaits) {
  static int calls = 0;
  calls = 0;
  process::syscalls().spawnp = [](pid_t*, const char*, const posix_spawn_file_actions_t*,
                                  const posix_spawnattr_t*, char* const*,
                                  char* const*) { return ++calls == 1 ? EINTR : EAGAIN; };
  EXPECT_EQ(start_exe("true", 1).started, 0);
  EXPECT_EQ(calls, 2) << "an interrupted start is retried, a failed one is not";

  process::reset_syscalls();
  process::syscalls().waitpid = [](pid_t pid, int* status, int options) -> pid_t {
    static bool interrupted = false;
    if (options == 0 && !interrupted) {
      interrupted = true;
      errno = EINTR;
      return -1;
    }
    return ::waitpid(pid, status, options);
  };
  EXPECT_EQ(start_exe("sh -c \"exit 3\"", 1).exit_code, 3);
}

TEST(ProgramMap, FirstWordLookup) {
  ScratchFolder home;
  write_file(home / std::string(platform::program_map::kOverrideFile),
             "# local programs\n"
             "zip.exe = /opt/zip/bin/zip\n"
             "  PGMS\\BAK\\CBackup = cbackup | slashes  \n"
             "no equals sign here\n");
  struct Case {
    std::vector<std::string> in;
    std::vector<std::string> out;
  };
  const Case cases[] = {
      {{"ZIP.EXE", "-9oqj", "C:\\a.zip"}, {"/opt/zip/bin/zip", "-9oqj", "C:\\a.zip"}},
      {{"pgms\\bak\\cbackup.exe", "C:\\b\\c.zip"}, {"cbackup", "C:/b/c.zip"}},
      {{"notepad.exe", "C:\\x"}, {"notepad.exe", "C:\\x"}},  // unknown: as given
      {{".exe"}, {".exe"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> argv = c.in;
    platform::program_map::resolve(argv, home.path().string());
    EXPECT_EQ(argv, c.out) << c.in[0];
  }

  // Without the file: the shipped entries; helpers resolve to the programs beside this one.
  std::vector<std::string> argv = {"Xcopy.EXE", "C:\\a\\*.*", "C:\\b"};
  platform::program_map::resolve(argv, "");
  EXPECT_TRUE(argv[0].ends_with("/quarn-xcopy")) << argv[0];
  EXPECT_EQ(::access(argv[0].c_str(), X_OK), 0);
  argv = {"zip.exe", "C:\\a.zip"};
  platform::program_map::resolve(argv, "");
  ASSERT_EQ(argv.size(), 2u);
  EXPECT_TRUE(argv[0].ends_with("/quarn-zip")) << argv[0];
  EXPECT_EQ(argv[1], "C:/a.zip");
}

}  // namespace
}  // namespace quarn::testing
