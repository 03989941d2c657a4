#include "platform/indexed.hpp"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "frame/codec.hpp"
#include "frame/program.hpp"
#include "platform/files.hpp"
#include "platform/indexed_pg.hpp"
#include "platform/storage.hpp"

namespace quarn::platform {

namespace {

// The records table holds the key apart from the record so that SQLite orders and finds
// by it; the layout table holds the one row that says what records the file was made for.
constexpr const char* kCreateSchema =
    "CREATE TABLE quarn_layout(record_length INTEGER NOT NULL, key_offset INTEGER NOT NULL,"
    " key_length INTEGER NOT NULL);"
    "CREATE TABLE records(k BLOB PRIMARY KEY, v BLOB NOT NULL) WITHOUT ROWID;";

bool reads(OpenMode mode) {
  return mode == OpenMode::kInput || mode == OpenMode::kInputOutput;
}
bool changes(OpenMode mode) {
  return mode == OpenMode::kInputOutput;
}

// Runs one statement that returns at most one integer and hands that back in `value`.
int step_value(sqlite3* db, const char* sql, sqlite3_int64* value) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
      if (value != nullptr) *value = sqlite3_column_int64(statement, 0);
      rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
      rc = SQLITE_OK;
    }
  }
  sqlite3_finalize(statement);
  return rc;
}

// Waits for a busy file in short, even steps until the time is up. SQLite's own handler
// sleeps ever longer (up to 100 ms a try), so a process that saves often keeps the file
// from another that waits: short steps give the waiting one its turn.
int wait_while_busy(void* context, int attempts) {
  auto& wait = *static_cast<IndexedFile::BusyWait*>(context);
  const auto now = std::chrono::steady_clock::now();
  if (attempts == 0) wait.since = now;
  if (now - wait.since >= std::chrono::milliseconds(wait.milliseconds)) return 0;
  std::this_thread::sleep_for(std::chrono::microseconds(500 + 250 * (attempts % 3)));
  return 1;
}

// The failure tests ask for: changes still to succeed, and the status of the one after.
int changes_before_failure = -1;
FileStatus injected_failure = status::kOk;

// True when the change about to run is the one a test wants to fail.
bool injected_now() {
  if (changes_before_failure < 0) return false;
  if (changes_before_failure-- > 0) return false;
  return true;
}

// True when the folder that holds `path` exists.
bool folder_exists(const std::string& path) {
  struct stat st {};
  return ::stat(folder_of(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes a statement ready for its next use and hands back the result of this one.
FileStatus finished(sqlite3_stmt* statement, FileStatus result) {
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  return result;
}

}  // namespace

bool injected_change_failure(FileStatus& status) {
  if (!injected_now()) return false;
  status = injected_failure;
  return true;
}

FileStatus status_of_sqlite(int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return status::kOk;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return status::kBusy;
    case SQLITE_NOTADB:
      return status::kConflict;
    case SQLITE_CANTOPEN:
      return status::kMissing;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
      return status::kNotPermitted;
    case SQLITE_FULL:
      return status::kFull;
    case SQLITE_CONSTRAINT:
      return status::kDuplicate;
    default:
      return status::kIoError;
  }
}

IndexedFile::IndexedFile(const IndexedLayout& layout) : layout_(layout) {}

IndexedFile::~IndexedFile() {
  close();
}

void IndexedFile::set_busy_timeout(int milliseconds) {
  busy_.milliseconds = milliseconds;
  if (server_) server_->set_busy_timeout(milliseconds);
}

bool IndexedFile::in_transaction() const {
  return server_ ? server_->in_transaction() : in_transaction_;
}

namespace {

// The file's name without its folder: the name of its table on a server.
std::string base_name(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

}  // namespace

FileStatus remove_indexed_file(const std::string& path) {
  const std::string native = files::native_path(path);
  const StorageConfig storage = storage_of_file(native);
  if (storage.backend == Backend::kPostgresql && storage.error.empty()) {
    std::string message;
    return PgIndexedFile::drop(storage, base_name(native), message);
  }
  files::remove_file(path);
  files::remove_file(path + "-journal");
  return status::kOk;
}

FileStatus IndexedFile::open(const std::string& path, OpenMode mode) {
  if (is_open()) return status::kAlreadyOpen;
  // SQLite would take an empty name for a private temporary database.
  if (path.empty() || path.find('\0') != std::string::npos) return status::kMissing;
  bool created = false;
  // "\" separates folders as "/" does, as for every other file of the library.
  const std::string native = files::native_path(path);
  StorageConfig storage = storage_of_file(native);
  if (!storage.error.empty()) {
    QUARN_RUNTIME_ERROR("the indexed file " + path + " cannot be opened: " + storage.error);
    return status::kMissing;
  }
  if (storage.backend == Backend::kPostgresql) {
    // The file is the table named as the file, in the folder's schema on the server.
    server_ = std::make_unique<PgIndexedFile>(layout_, std::move(storage), busy_.milliseconds);
    const FileStatus result = server_->open(base_name(native), mode);
    if (result != status::kOk && result != status::kCreated) {
      server_.reset();
      return result;
    }
    mode_ = mode;
    path_ = path;
    return result;
  }
  FileStatus result = open_connection(native, mode, created);
  if (result == status::kOk) result = check_layout(mode, created);
  if (result != status::kOk && mode == OpenMode::kInput && db_ != nullptr &&
      sqlite3_extended_errcode(db_) == SQLITE_READONLY_ROLLBACK) {
    // A writer that died in a transaction left its journal ("hot"), which a reader may not
    // roll back: a read-write connection recovers the file, then the reader goes on.
    close();
    result = recover_journal(native);
    if (result == status::kOk) result = open_connection(native, mode, created);
    if (result == status::kOk) result = check_layout(mode, created);
  }
  if (result == status::kOk) result = prepare();
  if (result != status::kOk) {
    close();
    return result;
  }
  mode_ = mode;
  path_ = path;
  // Reading next without a start begins at the first record.
  position_.clear();
  positioned_ = true;
  position_inclusive_ = true;
  return created && mode != OpenMode::kOutput ? status::kCreated : status::kOk;
}

FileStatus IndexedFile::open_connection(const std::string& path, OpenMode mode, bool& created) {
  // A symbolic link under the file's name is never followed: in a shared folder it could
  // send the records (or a new file) anywhere.
  const int base = (mode == OpenMode::kInput ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                   SQLITE_OPEN_NOFOLLOW;
  int rc = sqlite3_open_v2(path.c_str(), &db_, base, nullptr);
  const auto link = [&] { return sqlite3_extended_errcode(db_) == SQLITE_CANTOPEN_SYMLINK; };
  if (rc == SQLITE_CANTOPEN && mode != OpenMode::kInput && !link()) {
    sqlite3_close(db_);
    db_ = nullptr;
    rc = sqlite3_open_v2(path.c_str(), &db_, base | SQLITE_OPEN_CREATE, nullptr);
    created = rc == SQLITE_OK;
    // The file could not be made in a folder that is there: not permitted, not missing.
    if (rc == SQLITE_CANTOPEN && !link() && folder_exists(path)) return status::kNotPermitted;
  }
  if (rc != SQLITE_OK) return link() ? status::kNotPermitted : status_of_sqlite(rc);
  sqlite3_busy_handler(db_, &wait_while_busy, &busy_);
  if (mode == OpenMode::kInput) return status::kOk;
  // A rollback journal, not WAL: home folders often sit on network shares. Every commit
  // is synced before it returns.
  rc = sqlite3_exec(db_, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;", nullptr, nullptr,
                    nullptr);
  return status_of_sqlite(rc);
}

FileStatus IndexedFile::recover_journal(const std::string& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_busy_handler(db, &wait_while_busy, &busy_);
    // The first read of a file rolls back a hot journal it finds.
    rc = step_value(db, "SELECT count(*) FROM sqlite_master", nullptr);
  }
  sqlite3_close_v2(db);
  return status_of_sqlite(rc);
}

// Makes the tables of a new file, or checks that an existing file holds records of this
// layout. `created` is true on return only when this call made the tables.
FileStatus IndexedFile::check_layout(OpenMode mode, bool& created) {
  created = false;
  const bool writer = mode != OpenMode::kInput;
  if (writer) {
    const int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return status_of_sqlite(rc);
  }
  auto finish = [&](FileStatus result) {
    if (writer) {
      const int rc = sqlite3_exec(db_, result == status::kOk ? "COMMIT" : "ROLLBACK", nullptr,
                                  nullptr, nullptr);
      if (result == status::kOk && rc != SQLITE_OK) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        result = status_of_sqlite(rc);
      }
    }
    return result;
  };

  sqlite3_int64 tables = 0;
  int rc = step_value(db_, "SELECT count(*) FROM sqlite_master", &tables);
  if (rc != SQLITE_OK) return finish(status_of_sqlite(rc));
  if (tables == 0) {
    // An empty database (a new file, or an empty one): ours to set up when writing.
    if (!writer) return finish(status::kConflict);
    rc = sqlite3_exec(db_, kCreateSchema, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
      const std::string insert =
          "INSERT INTO quarn_layout VALUES(" + std::to_string(layout_.record_length) + "," +
          std::to_string(layout_.key_offset) + "," + std::to_string(layout_.key_length) + ")";
      rc = sqlite3_exec(db_, insert.c_str(), nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) return finish(status_of_sqlite(rc));
    created = true;
    return finish(status::kOk);
  }

  sqlite3_stmt* statement = nullptr;
  rc = sqlite3_prepare_v2(db_, "SELECT record_length, key_offset, key_length FROM quarn_layout", -1,
                          &statement, nullptr);
  if (rc != SQLITE_OK) {
    // Some other database: no layout table.
    return finish((rc & 0xff) == SQLITE_ERROR ? status::kConflict : status_of_sqlite(rc));
  }
  rc = sqlite3_step(statement);
  const bool same =
      rc == SQLITE_ROW &&
      sqlite3_column_int64(statement, 0) == static_cast<sqlite3_int64>(layout_.record_length) &&
      sqlite3_column_int64(statement, 1) == static_cast<sqlite3_int64>(layout_.key_offset) &&
      sqlite3_column_int64(statement, 2) == static_cast<sqlite3_int64>(layout_.key_length);
  sqlite3_finalize(statement);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) return finish(status_of_sqlite(rc));
  if (!same) return finish(status::kConflict);
  if (mode == OpenMode::kOutput) {
    rc = sqlite3_exec(db_, "DELETE FROM records", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return finish(status_of_sqlite(rc));
  }
  return finish(status::kOk);
}

FileStatus IndexedFile::prepare() {
  struct {
    sqlite3_stmt** statement;
    const char* sql;
  } const statements[] = {
      {&select_, "SELECT v FROM records WHERE k=?1"},
      {&insert_, "INSERT INTO records(k,v) VALUES(?1,?2)"},
      {&update_, "UPDATE records SET v=?2 WHERE k=?1"},
      {&upsert_,
       "INSERT INTO records(k,v) VALUES(?1,?2) ON CONFLICT(k) DO UPDATE SET v=excluded.v"},
      {&delete_, "DELETE FROM records WHERE k=?1"},
      {&next_from_, "SELECT k,v FROM records WHERE k>=?1 ORDER BY k LIMIT 1"},
      {&next_after_, "SELECT k,v FROM records WHERE k>?1 ORDER BY k LIMIT 1"},
  };
  for (const auto& s : statements) {
    const int rc =
        sqlite3_prepare_v3(db_, s.sql, -1, SQLITE_PREPARE_PERSISTENT, s.statement, nullptr);
    if (rc != SQLITE_OK) return status_of_sqlite(rc);
  }
  return status::kOk;
}

void IndexedFile::fail_change_after(int successes, FileStatus status) {
  changes_before_failure = successes;
  injected_failure = status;
}

bool IndexedFile::replaced() const {
  if (server_) return false;  // a table has no file to be replaced
  if (db_ == nullptr) return false;
  int moved = 0;
  return sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK &&
         moved != 0;
}

FileStatus IndexedFile::begin() {
  if (server_) return server_->begin();
  if (db_ == nullptr) return status::kNotOpen;
  if (in_transaction_) return status::kOk;
  const int rc = sqlite3_exec(db_, mode_ == OpenMode::kInput ? "BEGIN" : "BEGIN IMMEDIATE", nullptr,
                              nullptr, nullptr);
  if (rc != SQLITE_OK) return status_of_sqlite(rc);
  in_transaction_ = true;
  return status::kOk;
}

FileStatus IndexedFile::commit() {
  if (server_) return server_->commit();
  if (db_ == nullptr) return status::kNotOpen;
  if (!in_transaction_) return status::kOk;
  if (injected_now()) {
    rollback();
    return injected_failure;
  }
  const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    rollback();
    return status_of_sqlite(rc);
  }
  in_transaction_ = false;
  return status::kOk;
}

FileStatus IndexedFile::rollback() {
  if (server_) return server_->rollback();
  if (db_ == nullptr) return status::kNotOpen;
  if (!in_transaction_) return status::kOk;
  in_transaction_ = false;
  // A failed statement may already have ended the transaction; then there is nothing left.
  if (sqlite3_get_autocommit(db_)) return status::kOk;
  return status_of_sqlite(sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr));
}

FileStatus IndexedFile::close() {
  if (server_) {
    server_.reset();
    path_.clear();
    return status::kOk;
  }
  if (db_ == nullptr) return status::kNotOpen;
  // What was not committed is undone.
  rollback();
  for (sqlite3_stmt** s :
       {&select_, &insert_, &update_, &upsert_, &delete_, &next_from_, &next_after_}) {
    sqlite3_finalize(*s);
    *s = nullptr;
  }
  sqlite3_close_v2(db_);
  db_ = nullptr;
  path_.clear();
  positioned_ = false;
  return status::kOk;
}

std::span<const char> IndexedFile::key_of(std::span<const char> record) const {
  return record.subspan(layout_.key_offset, layout_.key_length);
}

FileStatus IndexedFile::fetch(sqlite3_stmt* statement, std::span<char> record) {
  const int rc = sqlite3_step(statement);
  FileStatus result = status_of_sqlite(rc);
  if (rc == SQLITE_ROW) {
    const int column = sqlite3_column_count(statement) - 1;
    const auto* value = static_cast<const char*>(sqlite3_column_blob(statement, column));
    const std::size_t length = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
    frame::put_text(record, std::string_view(value == nullptr ? "" : value, length));
    if (length != record.size()) result = status::kBadLength;
    // The key of the record read becomes the position for read_next.
    const auto key = key_of(record);
    position_.assign(key.begin(), key.end());
    positioned_ = true;
    position_inclusive_ = false;
  } else if (rc == SQLITE_DONE) {
    result = status::kNotFound;
  }
  return finished(statement, result);
}

FileStatus IndexedFile::read(std::span<char> record) {
  if (server_) return server_->read(record);
  if (db_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  // The key is kept by the file and bound from there without an allocation: bound from the
  // record itself, it would change under SQLite when the row is copied over the record.
  const auto key = key_of(record);
  read_key_.assign(key.begin(), key.end());
  sqlite3_bind_blob(select_, 1, read_key_.data(), static_cast<int>(read_key_.size()),
                    SQLITE_STATIC);
  return fetch(select_, record);
}

FileStatus IndexedFile::run_change(sqlite3_stmt* statement, std::span<const char> record,
                                   bool bind_value) {
  if (injected_now()) return injected_failure;
  const auto key = key_of(record);
  sqlite3_bind_blob(statement, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  if (bind_value) {
    sqlite3_bind_blob(statement, 2, record.data(), static_cast<int>(record.size()), SQLITE_STATIC);
  }
  const int rc = sqlite3_step(statement);
  FileStatus result = status_of_sqlite(rc);
  if (rc == SQLITE_DONE && (statement == update_ || statement == delete_) &&
      sqlite3_changes(db_) == 0) {
    result = status::kNotFound;
  }
  return finished(statement, result);
}

FileStatus IndexedFile::write(std::span<const char> record) {
  if (server_) return server_->write(record);
  if (db_ == nullptr || mode_ == OpenMode::kInput) return status::kWriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return run_change(insert_, record, true);
}

FileStatus IndexedFile::rewrite(std::span<const char> record) {
  if (server_) return server_->rewrite(record);
  if (db_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return run_change(update_, record, true);
}

FileStatus IndexedFile::write_or_rewrite(std::span<const char> record) {
  if (server_) return server_->write_or_rewrite(record);
  if (db_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return run_change(upsert_, record, true);
}

FileStatus IndexedFile::remove(std::span<const char> record) {
  if (server_) return server_->remove(record);
  if (db_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() < layout_.key_offset + layout_.key_length) return status::kLengthConflict;
  return run_change(delete_, record, false);
}

FileStatus IndexedFile::remove_all() {
  if (server_) return server_->remove_all();
  if (db_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (injected_now()) return injected_failure;
  return status_of_sqlite(sqlite3_exec(db_, "DELETE FROM records", nullptr, nullptr, nullptr));
}

FileStatus IndexedFile::start(std::span<const char> key, bool after) {
  if (server_) return server_->start(key, after);
  if (db_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (key.size() != layout_.key_length) return status::kLengthConflict;
  sqlite3_stmt* statement = after ? next_after_ : next_from_;
  sqlite3_bind_blob(statement, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
  const int rc = sqlite3_step(statement);
  FileStatus result = status_of_sqlite(rc);
  positioned_ = false;
  if (rc == SQLITE_ROW) {
    const auto* found = static_cast<const char*>(sqlite3_column_blob(statement, 0));
    position_.assign(found, found + sqlite3_column_bytes(statement, 0));
    positioned_ = true;
    position_inclusive_ = true;
  } else if (rc == SQLITE_DONE) {
    result = status::kNotFound;
  }
  return finished(statement, result);
}

FileStatus IndexedFile::read_next(std::span<char> record) {
  if (server_) return server_->read_next(record);
  if (db_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (!positioned_) return status::kNoPosition;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  sqlite3_stmt* statement = position_inclusive_ ? next_from_ : next_after_;
  // An empty position (zero-length blob) sorts before every key.
  sqlite3_bind_blob(statement, 1, position_.empty() ? "" : position_.data(),
                    static_cast<int>(position_.size()), SQLITE_TRANSIENT);
  const FileStatus result = fetch(statement, record);
  if (result == status::kNotFound) {
    // Past the last record: stay there.
    position_inclusive_ = false;
    return status::kAtEnd;
  }
  return result;
}

}  // namespace quarn::platform
