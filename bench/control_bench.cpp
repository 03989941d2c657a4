// The control file: a station setting read and saved through the library's request, next to
// the same read and durable write done with the SQLite C API on the same file.
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

constexpr int kSettings = 1000;

// A home folder with a control file of kSettings station settings of user "BNCH" at
// station 001, made once for the run.
class Store {
 public:
  Store() {
    char pattern[] = "/tmp/quarn-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    home_ = std::string(pattern) + "/";
    misc_ = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    std::memset(misc_, ' ', sizeof *misc_);
    std::memset(misc_->xm_home_folder, 0, sizeof misc_->xm_home_folder);
    std::memcpy(misc_->xm_home_folder, home_.data(), home_.size());
    std::memcpy(misc_->xm_user_id, "BNCH", 4);
    std::memcpy(misc_->xm_station_no, "001", 3);
    for (int n = 0; n < kSettings; ++n) {
      QuarnControlRequest request = make_request("SaveUserStationControl", n);
      std::memcpy(request.ctl_value, "initial value", 13);
      QuarnCtlMessage message;
      quarn_control_file(&request, &message, nullptr, nullptr);
      if (std::memcmp(request.ctl_status, "00", 2) != 0) std::abort();
    }
  }
  ~Store() { std::filesystem::remove_all(home_); }

  static QuarnControlRequest make_request(const char* method, int n) {
    QuarnControlRequest request;
    std::memset(&request, ' ', sizeof request);
    std::memcpy(request.ctl_method, method, std::strlen(method));
    char section[21];
    std::snprintf(section, sizeof section, "SETTING-%06d", n);
    std::memcpy(request.ctl_section, section, std::strlen(section));
    return request;
  }
  // The key the library files setting n under.
  static void make_key(char* key, int n) {
    std::memset(key, ' ', 48);
    std::memcpy(key, "BNCH0001", 8);
    char section[21];
    std::snprintf(section, sizeof section, "SETTING-%06d", n);
    std::memcpy(key + 8, section, std::strlen(section));
  }
  std::string file() const { return home_ + "QUARN.CTL"; }

 private:
  std::string home_;
  QuarnXMiscExternalWs* misc_;
};

Store& store() {
  static Store s;
  return s;
}

// The next setting to use: a fixed stride through all of them.
int next_setting(int& n) {
  n = (n + 379) % kSettings;
  return n;
}

// A value never written before in this process. SQLite leaves a page that an update does
// not change untouched: a write of the bytes already there dirties nothing, so it commits
// without a journal or a sync. Both writers draw on this one counter, so that neither
// rewrites what the other (or an earlier run) left.
int fresh_value() {
  static int written = 0;
  return ++written;
}

// The file change counter in the database header: every commit that changed a page moves
// it on by one.
std::uint32_t change_counter() {
  unsigned char header[28] = {};
  std::FILE* file = std::fopen(store().file().c_str(), "rb");
  if (file == nullptr) std::abort();
  const std::size_t got = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  if (got != sizeof header) std::abort();
  return std::uint32_t{header[24]} << 24 | std::uint32_t{header[25]} << 16 |
         std::uint32_t{header[26]} << 8 | header[27];
}

// Fails the benchmark unless every round committed a change to the file.
void check_every_round_wrote(benchmark::State& state, std::uint32_t before) {
  if (change_counter() - before != state.iterations())
    state.SkipWithError("a round wrote nothing: the time is not that of a durable write");
}

void BM_GetUserStationControl(benchmark::State& state) {
  store();
  QuarnCtlMessage message;
  int n = 0;
  for (auto _ : state) {
    QuarnControlRequest request = Store::make_request("GetUserStationControl", next_setting(n));
    quarn_control_file(&request, &message, nullptr, nullptr);
    if (request.ctl_status[0] != '0') state.SkipWithError("read failed");
    benchmark::DoNotOptimize(request.ctl_value[0]);
  }
}

void BM_SaveUserStationControl(benchmark::State& state) {
  store();
  QuarnCtlMessage message;
  int n = 0;
  const std::uint32_t before = change_counter();
  for (auto _ : state) {
    QuarnControlRequest request = Store::make_request("SaveUserStationControl", next_setting(n));
    std::snprintf(request.ctl_value, sizeof request.ctl_value, "value %d", fresh_value());
    quarn_control_file(&request, &message, nullptr, nullptr);
    if (request.ctl_status[0] != '0') state.SkipWithError("save failed");
  }
  check_every_round_wrote(state, before);
}

// The same file through the SQLite C API: one connection, prepared statements, a read by
// key into a record, and a durable upsert.
struct Direct {
  sqlite3* db = nullptr;
  sqlite3_stmt* select = nullptr;
  sqlite3_stmt* upsert = nullptr;
  Direct() {
    if (sqlite3_open_v2(store().file().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      std::abort();
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                 nullptr);
    sqlite3_prepare_v3(db, "SELECT v FROM records WHERE k=?1", -1, SQLITE_PREPARE_PERSISTENT,
                       &select, nullptr);
    sqlite3_prepare_v3(db,
                       "INSERT INTO records(k,v) VALUES(?1,?2) "
                       "ON CONFLICT(k) DO UPDATE SET v=excluded.v",
                       -1, SQLITE_PREPARE_PERSISTENT, &upsert, nullptr);
  }
  ~Direct() {
    sqlite3_finalize(select);
    sqlite3_finalize(upsert);
    sqlite3_close(db);
  }
};

// One read of setting n into `record`; false when it failed.
bool direct_read(Direct& direct, QuarnCtlflRecord& record, int n) {
  Store::make_key(reinterpret_cast<char*>(&record), n);
  sqlite3_bind_blob(direct.select, 1, &record, 48, SQLITE_STATIC);
  const bool found = sqlite3_step(direct.select) == SQLITE_ROW;
  if (found) std::memcpy(&record, sqlite3_column_blob(direct.select, 0), sizeof record);
  sqlite3_reset(direct.select);
  return found;
}

void BM_DirectRead(benchmark::State& state) {
  Direct direct;
  QuarnCtlflRecord record;
  int n = 0;
  for (auto _ : state) {
    if (!direct_read(direct, record, next_setting(n))) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(record.ctlfl_value[0]);
  }
}

// The read above plus the one thing the library must do that it does not: before each
// request the library asks whether the file under the name is still the one it has open
// (a control file restored or imported into a shared home folder is put in its place),
// which costs a look-up of the path.
void BM_DirectReadCheckingMoves(benchmark::State& state) {
  Direct direct;
  QuarnCtlflRecord record;
  int n = 0;
  for (auto _ : state) {
    int moved = 0;
    if (sqlite3_file_control(direct.db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
        moved != 0)
      state.SkipWithError("the file was replaced");
    if (!direct_read(direct, record, next_setting(n))) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(record.ctlfl_value[0]);
  }
}

void BM_DirectWrite(benchmark::State& state) {
  Direct direct;
  QuarnCtlflRecord record;
  std::memset(&record, ' ', sizeof record);
  int n = 0;
  const std::uint32_t before = change_counter();
  for (auto _ : state) {
    Store::make_key(reinterpret_cast<char*>(&record), next_setting(n));
    std::snprintf(record.ctlfl_value, sizeof record.ctlfl_value, "value %d", fresh_value());
    sqlite3_bind_blob(direct.upsert, 1, &record, 48, SQLITE_STATIC);
    sqlite3_bind_blob(direct.upsert, 2, &record, sizeof record, SQLITE_STATIC);
    if (sqlite3_step(direct.upsert) != SQLITE_DONE) state.SkipWithError("write failed");
    sqlite3_reset(direct.upsert);
  }
  check_every_round_wrote(state, before);
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnControlRequest)>);
BENCHMARK(BM_GetUserStationControl);
BENCHMARK(BM_DirectRead);
BENCHMARK(BM_DirectReadCheckingMoves);
// Durable writes cost milliseconds: a fixed count keeps the run short.
BENCHMARK(BM_SaveUserStationControl)->Iterations(300);
BENCHMARK(BM_DirectWrite)->Iterations(300);
