// What only the PostgreSQL backend has: a connection that may fail, a server that may go
// away between two calls, and a table that others may change with SQL.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/program.hpp"
#include "platform/indexed.hpp"
#include "platform/indexed_text.hpp"
#include "platform/storage.hpp"
#include "support/backends.hpp"
#include "support/temp_folder.hpp"

namespace quarn::platform {
namespace {

constexpr IndexedLayout kLayout{12, 0, 4};

std::string rec(int key, std::string_view value) {
  std::string r = std::to_string(key);
  r.insert(0, 4 - r.size(), '0');
  r += value;
  r.resize(12, ' ');
  return r;
}

// A server of the test's own, which it may restart without disturbing other tests.
class OwnServer {
 public:
  OwnServer() : folder_("/tmp/quarn-pg-own-" + std::to_string(::getpid())) {
    EXPECT_EQ(run("start"), 0) << "the test's own server did not start";
  }
  ~OwnServer() { run("stop"); }
  int run(const char* action) const {
    const std::string command = std::string(QUARN_TEST_PG_SERVER) + " " + action + " " + folder_;
    return std::system(command.c_str());
  }
  std::string conninfo() const { return "host=" + folder_ + " dbname=postgres user=quarn-test"; }

 private:
  std::string folder_;
};

void write_conf(const std::filesystem::path& folder, const std::string& text) {
  std::ofstream(folder / kStorageConfName) << text;
}

// A socket that takes connections and never says a word: a server that hangs.
class SilentServer {
 public:
  explicit SilentServer(const std::filesystem::path& folder) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = (folder / ".s.PGSQL.5432").string();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(fd_, 8), 0);
  }
  ~SilentServer() { ::close(fd_); }

 private:
  int fd_ = -1;
};

TEST(PostgresqlIndexedFile, AConnectionThatFailsIsMissingWithTheServersWords) {
  testing::TempFolder folder;
  testing::TempFolder silent_folder;
  const SilentServer silent(silent_folder.path());
  std::vector<std::string> reported;
  const auto previous = frame::set_error_handler(
      [&](const frame::RuntimeError& e) { reported.emplace_back(e.text); });
  struct Case {
    const char* what;
    std::string conf;
    std::string words;  // in the reported error
  };
  const Case cases[] = {
      {"no server at the socket",
       "backend = postgresql\nconnection = host=" + folder.path().string() +
           " dbname=postgres\nconnect_timeout = 2\n",
       "No such file or directory"},
      {"a server that never answers (the connect timeout)",
       "backend = postgresql\nconnection = host=" + silent_folder.path().string() +
           " dbname=postgres\nconnect_timeout = 2\n",
       "timeout expired"},
      {"an unknown user",
       "backend = postgresql\nconnection = " + testing::test_server() +
           " user=nobody_here\nschema = s\n",
       "nobody_here"},
      {"a connection string that is not one",
       "backend = postgresql\nconnection = host=\"unterminated\n", "unterminated"},
      {"an unknown backend", "backend = oracle\n", "backend must be sqlite or postgresql"},
      {"a schema that is not a plain name", "backend = postgresql\nschema = A;DROP\n",
       "schema must be"},
      {"no backend", "connection = x\n", "no backend named"},
  };
  for (const Case& c : cases) {
    write_conf(folder.path(), c.conf);
    reported.clear();
    IndexedFile file(kLayout);
    EXPECT_EQ(file.open(folder / "data.idx", OpenMode::kInputOutput), status::kMissing) << c.what;
    EXPECT_FALSE(file.is_open()) << c.what;
    ASSERT_EQ(reported.size(), 1u) << c.what;
    EXPECT_NE(reported[0].find(c.words), std::string::npos) << c.what << ": " << reported[0];
  }
  frame::set_error_handler(previous);
}

TEST(PostgresqlIndexedFile, AStoredRecordOfAnotherLengthIsReportedNotOverrun) {
  testing::TempFolder folder;
  testing::use_backend(testing::TestBackend::kPostgresql, folder.path());
  {
    IndexedFile file(kLayout);
    ASSERT_EQ(file.open(folder / "data.idx", OpenMode::kInputOutput), status::kCreated);
    EXPECT_TRUE(file.on_server());
  }
  const std::string schema = testing::schema_of(folder.path());
  ASSERT_EQ(
      testing::on_test_server("INSERT INTO " + schema +
                              ".\"data.idx\" VALUES('\\x30303031', repeat('x', 4000)::bytea)"),
      "");
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(folder / "data.idx", OpenMode::kInput), status::kOk);
  std::string r = rec(1, "");
  EXPECT_EQ(file.read(r), status::kBadLength);
  EXPECT_EQ(r, std::string(12, 'x'));
  file.close();
  testing::drop_backend(testing::TestBackend::kPostgresql, folder.path());
}

// Processes save while the server restarts: each loses its connection at most once ("30"),
// connects again on its next call, and every save that returned "00" is there afterwards.
TEST(PostgresqlIndexedFile, ARestartCostsAtMostOneLostCallAndNoSave) {
  OwnServer server;
  testing::TempFolder folder;
  write_conf(folder.path(), "backend = postgresql\nconnection = " + server.conninfo() +
                                "\nschema = restart\nconnect_timeout = 60\n");
  const std::string path = folder / "data.idx";
  {
    IndexedFile file(kLayout);
    ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  }
  const char* count_text = std::getenv("QUARN_RESTART_SAVES");
  const int saves = count_text != nullptr ? std::atoi(count_text) : 150;
  constexpr int kProcesses = 8;
  int pipes[kProcesses][2];
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    ASSERT_EQ(::pipe(pipes[p]), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // Each child saves its own keys and reports: saves kept, calls lost.
      IndexedFile file(kLayout);
      int lost = 0;
      std::string kept;
      if (file.open(path, OpenMode::kInputOutput) != status::kOk) ::_exit(2);
      for (int i = 0; i < saves; ++i) {
        const int key = p * saves + i;
        const std::string r = rec(key, "p" + std::to_string(p));
        const FileStatus s = file.write_or_rewrite(r);
        if (s == status::kOk) {
          kept += std::to_string(key) + "\n";
        } else if (s == status::kIoError) {
          ++lost;
        } else {
          ::_exit(3);
        }
      }
      const std::string report = std::to_string(lost) + "\n" + kept;
      ssize_t ignored = ::write(pipes[p][1], report.data(), report.size());
      (void)ignored;
      ::_exit(0);
    }
    ::close(pipes[p][1]);
    children.push_back(pid);
  }
  // Mid-run, the server stops and starts again.
  ::usleep(300 * 1000);
  ASSERT_EQ(server.run("restart"), 0);

  std::vector<int> kept_keys;
  for (int p = 0; p < kProcesses; ++p) {
    std::string report;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(pipes[p][0], buffer, sizeof buffer)) > 0)
      report.append(buffer, n);
    ::close(pipes[p][0]);
    int wstatus = 0;
    ::waitpid(children[p], &wstatus, 0);
    ASSERT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) << "process " << p;
    std::istringstream lines(report);
    int lost = -1;
    lines >> lost;
    EXPECT_LE(lost, 1) << "process " << p << " lost more than one call";
    int key = 0;
    while (lines >> key)
      kept_keys.push_back(key);
  }
  IndexedFile reader(kLayout);
  ASSERT_EQ(reader.open(path, OpenMode::kInput), status::kOk);
  for (const int key : kept_keys) {
    std::string r = rec(key, "");
    ASSERT_EQ(reader.read(r), status::kOk) << "save " << key << " returned 00 but is gone";
    EXPECT_EQ(r, rec(key, "p" + std::to_string(key / saves)));
  }
  EXPECT_GE(kept_keys.size(), static_cast<std::size_t>(kProcesses * (saves - 1)));
}

// A client killed in the middle of its saves: every save that returned "00" is there.
TEST(PostgresqlIndexedFile, AKilledClientLosesNoSaveThatReturned) {
  testing::TempFolder folder;
  testing::use_backend(testing::TestBackend::kPostgresql, folder.path());
  const std::string path = folder / "data.idx";
  int acknowledged[2];
  ASSERT_EQ(::pipe(acknowledged), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(acknowledged[0]);
    IndexedFile file(kLayout);
    if (file.open(path, OpenMode::kInputOutput) != status::kCreated) ::_exit(2);
    for (int key = 0; key < 10000; ++key) {
      if (file.write_or_rewrite(rec(key, "saved")) != status::kOk) ::_exit(3);
      // Said only once the save has returned.
      if (::write(acknowledged[1], &key, sizeof key) != sizeof key) ::_exit(4);
    }
    ::_exit(0);
  }
  ::close(acknowledged[1]);
  // Killed once it has saved a while.
  std::vector<int> saved;
  int key = 0;
  while (saved.size() < 200 && ::read(acknowledged[0], &key, sizeof key) == sizeof key) {
    saved.push_back(key);
  }
  ::kill(child, SIGKILL);
  while (::read(acknowledged[0], &key, sizeof key) == sizeof key)
    saved.push_back(key);
  ::close(acknowledged[0]);
  int wstatus = 0;
  ::waitpid(child, &wstatus, 0);
  ASSERT_GE(saved.size(), 200u) << "the client failed before it was killed";

  IndexedFile reader(kLayout);
  ASSERT_EQ(reader.open(path, OpenMode::kInput), status::kOk);
  for (const int k : saved) {
    std::string r = rec(k, "");
    ASSERT_EQ(reader.read(r), status::kOk) << "save " << k << " returned but is gone";
    EXPECT_EQ(r, rec(k, "saved"));
  }
  reader.close();
  testing::drop_backend(testing::TestBackend::kPostgresql, folder.path());
}

// A report control file to the server and back: every record, every byte (all 256 values,
// a key of zero bytes, one of 0xFF bytes), in key order.
TEST(PostgresqlIndexedFile, ACopyToTheServerAndBackIsByteForByte) {
  testing::TempFolder files;
  testing::TempFolder server;
  testing::use_backend(testing::TestBackend::kPostgresql, server.path());
  constexpr IndexedLayout kReport{213, 0, 17};
  const char* count_text = std::getenv("QUARN_COPY_RECORDS");
  const int count = count_text != nullptr ? std::atoi(count_text) : 2000;
  std::vector<std::string> records;
  for (int i = 0; i < count; ++i) {
    std::string r(213, '\0');
    for (std::size_t b = 0; b < r.size(); ++b)
      r[b] = static_cast<char>((i * 7 + b * 13) & 0xFF);
    const std::string key = std::to_string(1000000 + i);
    r.replace(0, key.size(), key);
    records.push_back(r);
  }
  records.front().replace(0, 17, std::string(17, '\0'));
  records.back().replace(0, 17, std::string(17, '\xFF'));
  {
    IndexedFile file(kReport);
    ASSERT_EQ(file.open(files / "QUARN.RPT", OpenMode::kOutput), status::kOk);
    ASSERT_EQ(file.begin(), status::kOk);
    for (const auto& r : records)
      ASSERT_EQ(file.write(r), status::kOk);
    ASSERT_EQ(file.commit(), status::kOk);
  }
  long copied = 0;
  ASSERT_EQ(copy_indexed(files / "QUARN.RPT", server / "QUARN.RPT", kReport, copied), "");
  EXPECT_EQ(copied, count);
  ASSERT_EQ(copy_indexed(server / "QUARN.RPT", files / "BACK.RPT", kReport, copied), "");
  EXPECT_EQ(copied, count);

  std::sort(records.begin(), records.end());
  IndexedFile back(kReport);
  ASSERT_EQ(back.open(files / "BACK.RPT", OpenMode::kInput), status::kOk);
  std::string r(213, ' ');
  std::size_t n = 0;
  while (back.read_next(r) == status::kOk) {
    ASSERT_LT(n, records.size());
    ASSERT_EQ(r, records[n]) << "record " << n;
    ++n;
  }
  EXPECT_EQ(n, records.size());

  // A copy that cannot be made leaves no file behind, and the layout is checked.
  EXPECT_NE(copy_indexed(files / "NONE.RPT", server / "OTHER.RPT", kReport, copied), "");
  IndexedFile none(kReport);
  EXPECT_EQ(none.open(server / "OTHER.RPT", OpenMode::kInput), status::kMissing);
  EXPECT_NE(copy_indexed(server / "QUARN.RPT", files / "WRONG.RPT", {256, 0, 17}, copied)
                .find("status 39"),
            std::string::npos);
  testing::drop_backend(testing::TestBackend::kPostgresql, server.path());
}

}  // namespace
}  // namespace quarn::platform
