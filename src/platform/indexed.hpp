// Indexed files: fixed-length records with one primary key of fixed length, kept in an
// SQLite database (one table, the key as a BLOB primary key, the record as a BLOB), or on a
// PostgreSQL server when the folder of the file says so (platform/storage.hpp). Every
// operation is one short transaction, so a write is on disk when it returns and several
// processes may share a file; an operation that finds the file busy waits (bounded) and
// then reports "93". Results are the two-character file statuses that IXIOSTAT words.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_status.hpp"

struct sqlite3;
struct sqlite3_stmt;

namespace quarn::platform {

class PgIndexedFile;

enum class OpenMode {
  kInput,        // read only; the file must exist
  kOutput,       // made empty (created when missing)
  kInputOutput,  // read and write; created when missing ("05")
  kExtend,       // write; created when missing ("05")
};

// The shape of the records: their length and where the key sits in them.
struct IndexedLayout {
  std::size_t record_length;
  std::size_t key_offset;
  std::size_t key_length;
};

class IndexedFile {
 public:
  explicit IndexedFile(const IndexedLayout& layout);
  ~IndexedFile();
  IndexedFile(const IndexedFile&) = delete;
  IndexedFile& operator=(const IndexedFile&) = delete;

  // How long an operation waits for a busy file before it reports "93".
  static constexpr int kDefaultBusyMilliseconds = 5000;
  void set_busy_timeout(int milliseconds);

  // The wait in progress for a busy file (the busy handler's state).
  struct BusyWait {
    int milliseconds = kDefaultBusyMilliseconds;
    std::chrono::steady_clock::time_point since;
  };

  FileStatus open(const std::string& path, OpenMode mode);
  FileStatus close();
  bool is_open() const { return db_ != nullptr || server_ != nullptr; }
  // True when the file is a table on a database server.
  bool on_server() const { return server_ != nullptr; }
  const std::string& path() const { return path_; }
  // True when the file under the path is no longer the one open (deleted, or another put
  // in its place by a rename): its changes would go nowhere, so reopen it.
  bool replaced() const;

  // Reads the record whose key is in `record` (at the layout's key offset) into `record`.
  FileStatus read(std::span<char> record);
  FileStatus write(std::span<const char> record);
  FileStatus rewrite(std::span<const char> record);
  // Writes the record, or rewrites it when its key exists: one statement, so no other
  // process can come between the two.
  FileStatus write_or_rewrite(std::span<const char> record);
  // Deletes the record whose key is in `record`.
  FileStatus remove(std::span<const char> record);
  // Deletes every record (inside a transaction, undone with it).
  FileStatus remove_all();
  // Positions at the first record whose key is not below (or, with `after`, above) `key`;
  // "23" when there is none.
  FileStatus start(std::span<const char> key, bool after = false);
  // The next record in key order from the position; "10" past the last.
  FileStatus read_next(std::span<char> record);

  // A transaction over many operations: from begin() to commit() no other process sees
  // a change, and rollback() (or a close without commit) undoes every one of them. A
  // writer's begin() takes the file for writing at once (waiting while it is busy); a
  // reader's holds a steady view of it, which also makes a long walk of it cheap.
  FileStatus begin();
  FileStatus commit();
  FileStatus rollback();
  bool in_transaction() const;

  // Tests: after `successes` more changes (write, rewrite, write_or_rewrite, remove,
  // remove_all, commit) of any file succeed, the next one fails with `status`; a negative count
  // switches this off.
  static void fail_change_after(int successes, FileStatus status);

 private:
  FileStatus open_connection(const std::string& path, OpenMode mode, bool& created);
  FileStatus check_layout(OpenMode mode, bool& created);
  // Rolls back the journal an interrupted writer left beside the file.
  FileStatus recover_journal(const std::string& path);
  FileStatus prepare();
  FileStatus run_change(sqlite3_stmt* statement, std::span<const char> record, bool bind_value);
  FileStatus fetch(sqlite3_stmt* statement, std::span<char> record);
  std::span<const char> key_of(std::span<const char> record) const;

  IndexedLayout layout_;
  BusyWait busy_;
  std::unique_ptr<PgIndexedFile> server_;
  OpenMode mode_ = OpenMode::kInput;
  std::string path_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* update_ = nullptr;
  sqlite3_stmt* upsert_ = nullptr;
  sqlite3_stmt* delete_ = nullptr;
  sqlite3_stmt* next_from_ = nullptr;   // first key >= ?
  sqlite3_stmt* next_after_ = nullptr;  // first key > ?
  // The position for read_next: the key last read or started at.
  std::vector<char> position_;
  // The key a read is looked up by, bound to `select_` without a copy by SQLite: it stays as
  // bound while the row found is copied over the record the key came from.
  std::vector<char> read_key_;
  bool positioned_ = false;
  bool position_inclusive_ = false;
  bool in_transaction_ = false;
};

// Removes the indexed file `path` wherever it lives: the SQLite file and the journal beside
// it, or the table on the server.
FileStatus remove_indexed_file(const std::string& path);

// The status of an SQLite result code: the one place where SQLite errors become statuses.
FileStatus status_of_sqlite(int code);

}  // namespace quarn::platform
