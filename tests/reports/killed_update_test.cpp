// An update of the report control file killed at a random moment (SIGKILL), then the
// tools' next steps: an export and a check that only read, an import that replaces the
// records. Every round must find the customer's file whole (all of the update or none of
// it), never "37", and the import's records afterwards. QUARN_KILL_ROUNDS sets the number of
// rounds (10 by default; the reliability runs use 200), QUARN_KILL_CONTROLS the number of
// control records (600; with more than fit SQLite's page cache, about 10,000, the update
// writes pages before its commit and most kills leave a hot journal).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "platform/sysout.hpp"
#include "quarn/quarn-m.h"
#include "support/file_contents.hpp"
#include "support/temp_folder.hpp"

namespace quarn {
namespace {

// A number from the environment, or `otherwise`.
int setting(const char* name, int otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : otherwise;
}

const int kControls = setting("QUARN_KILL_CONTROLS", 600);

// A journal whose header has been made durable: one a reader must roll back ("hot").
bool hot_journal(const std::string& path) {
  const std::string journal = testing::file_contents(path + "-journal");
  return !journal.empty() && journal[0] != '\0';
}

// A control record of report `n` with version `version` at offset 162, `length` bytes.
std::string control(int n, std::size_t length, const char* version) {
  std::string r(length, ' ');
  char name[13];
  std::snprintf(name, sizeof name, "REPORT%06d", n);
  r.replace(0, 1, "C");
  r.replace(1, 12, name);
  r.replace(14, 3, "000");
  r.replace(30, 13, "HEADING ABOVE");
  r.replace(162, 2, version);
  return r;
}

class KilledUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* area = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    ASSERT_NE(area, nullptr);
    saved_ = *area;
    const std::string home = folder.path().string() + "/";
    std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
    std::memcpy(area->xm_home_folder, home.data(), home.size());
    area->xm_folder_length[0] = static_cast<char>(home.size() >> 8);
    area->xm_folder_length[1] = static_cast<char>(home.size() & 0xFF);
    // The log's error lines would go to the display.
    previous_sysout_ = platform::set_sysout([](std::string_view) {});
    std::ofstream standard(folder / "standard.txt");
    std::ofstream customer(folder / "customer.txt");
    for (int n = 0; n < kControls; ++n) {
      standard << control(n, 256, "07") << "\n";
      customer << control(n, 213, "06") << "\n";
    }
  }
  void TearDown() override {
    *static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs))) = saved_;
    platform::set_sysout(previous_sysout_);
  }

  std::string import(const std::string& name, int length, const std::string& text) {
    char error[300] = "";
    return quarn_indexed_import((folder / name).c_str(), length, 17, (folder / text).c_str(), error,
                                sizeof error) == 0
               ? ""
               : error;
  }
  std::string export_customer() {
    char error[300] = "";
    if (quarn_indexed_export((folder / "QUARN.RPT").c_str(), 213, 17, (folder / "out.txt").c_str(),
                             error, sizeof error) != 0)
      return std::string("failed: ") + error;
    return testing::file_contents(folder / "out.txt");
  }
  static char run(char mode) {
    QuarnRptctlVerifyRecord request{{mode}, {' '}};
    QUARN_RPTCTL_VERIFY(&request);
    return request.rv_result[0];
  }
  // An update in a child process, killed after `delay`.
  static void killed_update(std::chrono::microseconds delay) {
    const pid_t pid = fork();
    if (pid == 0) {
      run('U');
      _exit(0);
    }
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
  }

  testing::TempFolder folder;

 private:
  QuarnXMiscExternalWs saved_{};
  platform::SysoutSink previous_sysout_;
};

TEST_F(KilledUpdateTest, NoRoundLosesARecordOrReportsNotPermitted) {
  const int rounds = setting("QUARN_KILL_ROUNDS", 10);
  ASSERT_EQ(import("QUARN-STD.RPT", 256, "standard.txt"), "");
  const std::string before = testing::file_contents(folder / "customer.txt");
  // The update takes each control's version from the standard.
  std::string after;
  for (int n = 0; n < kControls; ++n)
    after += control(n, 213, "07") + "\n";

  // How long a whole update takes here: the kills fall anywhere inside it.
  ASSERT_EQ(import("QUARN.RPT", 213, "customer.txt"), "");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(run('U'), '2');
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  ASSERT_EQ(export_customer(), after);

  std::mt19937 random(12345);
  std::uniform_int_distribution<long> moment(0, whole.count());
  int journals_left = 0;
  int hot = 0;
  int updated = 0;
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_EQ(import("QUARN.RPT", 213, "customer.txt"), "");
    std::filesystem::remove(folder / "Update.LOG");
    killed_update(std::chrono::microseconds(moment(random)));
    if (std::filesystem::exists(folder / "QUARN.RPT-journal")) ++journals_left;
    if (hot_journal(folder / "QUARN.RPT")) ++hot;

    // Reading only: the file is the one before the update or the one after it, whole.
    const std::string seen = export_customer();
    ASSERT_TRUE(seen == before || seen == after) << seen.substr(0, 300);
    if (seen == after) ++updated;
    std::filesystem::remove(folder / "Update.LOG");
    const char checked = run('C');
    EXPECT_EQ(checked, seen == after ? '0' : '2')
        << testing::file_contents(folder / "Update.LOG").substr(0, 400);
    // The import replaces the records whatever the update left.
    ASSERT_EQ(import("QUARN.RPT", 213, "customer.txt"), "");
    ASSERT_EQ(export_customer(), before);
  }
  std::printf(
      "%d rounds of %d controls: %d killed with a journal left (%d of them hot), %d after "
      "the update's commit\n",
      rounds, kControls, journals_left, hot, updated);
}

}  // namespace
}  // namespace quarn
