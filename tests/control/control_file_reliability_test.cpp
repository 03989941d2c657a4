// The control file shared by processes: concurrent saves, and a process killed while saving.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>

#include "control/control_fixture.hpp"

namespace quarn::testing {
namespace {

std::string section_name(char process, int n) {
  char name[21];
  std::snprintf(name, sizeof name, "%c-%06d", process, n);
  return name;
}

class ControlFileProcessesTest : public ControlFileOnBothTest {
 protected:
  // Runs `work` in a child process with a control file of its own; the child's exit
  // status is 0 when `work` returned true.
  template <typename Work>
  pid_t spawn(Work work) {
    control::close_control_file();  // the child must not share the parent's connection
    const pid_t pid = fork();
    if (pid == 0) _exit(work() ? 0 : 1);
    return pid;
  }
  static int exit_status(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

INSTANTIATE_TEST_SUITE_P(Backends, ControlFileProcessesTest,
                         ::testing::Values(TestBackend::kSqlite, TestBackend::kPostgresql),
                         backend_name);

TEST_P(ControlFileProcessesTest, TwoProcessesSavingAtOnceLoseNothing) {
  constexpr int kEach = 2000;
  // Made first, so that both writers find the file.
  ASSERT_EQ(request("SaveUserGeneralControl", "START", "x"), "00");
  auto saver = [this](char process) {
    return [this, process] {
      // A save may report the file busy ("93") after its bounded wait when the other
      // process holds it long (slow disks, a loaded machine); the application then saves
      // again. Any other answer, or a save that never lands, fails the test.
      int busy = 0;
      for (int n = 0; n < kEach; ++n) {
        const std::string section = section_name(process, n);
        std::string status;
        for (int attempt = 0; attempt < 10; ++attempt) {
          status = request("SaveUserGeneralControl", section, section + " value");
          if (status != "93") break;
          ++busy;
        }
        if (status != "00") {
          std::fprintf(stderr, "process %c: save %d gave %s\n", process, n, status.c_str());
          return false;
        }
      }
      if (busy > 0) std::fprintf(stderr, "process %c: %d busy answers\n", process, busy);
      return true;
    };
  };
  const pid_t first = spawn(saver('A'));
  const pid_t second = spawn(saver('B'));
  EXPECT_EQ(exit_status(first), 0);
  EXPECT_EQ(exit_status(second), 0);

  int found = 0;
  for (char process : {'A', 'B'}) {
    for (int n = 0; n < kEach; ++n) {
      const std::string section = section_name(process, n);
      if (request("GetUserGeneralControl", section) == "00" && value() == section + " value") {
        ++found;
      }
    }
  }
  EXPECT_EQ(found, 2 * kEach);
}

TEST_P(ControlFileProcessesTest, KilledProcessLeavesEverySaveThatReturned) {
  ASSERT_EQ(request("SaveUserGeneralControl", "START", "x"), "00");
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  const pid_t child = spawn([&] {
    close(pipe_ends[0]);
    for (int n = 0; n < 1000000; ++n) {
      if (request("SaveUserGeneralControl", section_name('K', n), "saved") != "00") return false;
      // Reported only once the save has returned.
      if (write(pipe_ends[1], &n, sizeof n) != sizeof n) return false;
    }
    return true;
  });
  close(pipe_ends[1]);

  std::set<int> returned;
  int n = 0;
  while (returned.size() < 150 && read(pipe_ends[0], &n, sizeof n) == sizeof n)
    returned.insert(n);
  kill(child, SIGKILL);
  EXPECT_EQ(exit_status(child), -1);
  while (read(pipe_ends[0], &n, sizeof n) == sizeof n)
    returned.insert(n);
  close(pipe_ends[0]);
  ASSERT_GE(returned.size(), 150u);

  // The file opens and holds every save that had returned.
  control::close_control_file();
  for (int saved : returned) {
    ASSERT_EQ(request("GetUserGeneralControl", section_name('K', saved)), "00") << saved;
    EXPECT_EQ(value(), "saved");
  }
  // The SQLite file passes its own check too (the server keeps its tables sound itself).
  if (!files_in_folder()) return;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((folder / "QUARN.CTL").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* check = nullptr;
  sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
  ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
  sqlite3_finalize(check);
  sqlite3_close(db);
}

}  // namespace
}  // namespace quarn::testing
