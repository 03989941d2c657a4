// The PostgreSQL backend of IndexedFile: one table per indexed file (the key and the
// record as bytea, ordered bytewise as SQLite orders its blobs), in the schema of the home
// folder's quarn-storage.conf, with a quarn_layout table that records each file's layout.
// It gives the statuses the SQLite backend gives; a lock not granted within the wait
// (lock_timeout) is "93", a lost connection "30", and the next call connects again.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/indexed.hpp"
#include "platform/storage.hpp"

struct pg_conn;
struct pg_result;

namespace quarn::platform {

class PgIndexedFile {
 public:
  PgIndexedFile(const IndexedLayout& layout, StorageConfig config, int busy_milliseconds);
  ~PgIndexedFile();
  PgIndexedFile(const PgIndexedFile&) = delete;
  PgIndexedFile& operator=(const PgIndexedFile&) = delete;

  // Removes the table `table` and its layout; "35" when there was none.
  static FileStatus drop(const StorageConfig& config, const std::string& table,
                         std::string& message);

  // Connects to the server of `config`: true with the server's version in `words`, or
  // false with its reason.
  static bool probe(const StorageConfig& config, std::string& words);

  // The connection string as it may be shown: without a password.
  static std::string shown_connection(const std::string& connection);

  // Opens the table named `table` (the file's base name).
  FileStatus open(const std::string& table, OpenMode mode);
  void close();
  void set_busy_timeout(int milliseconds);
  // The server's words for the last failure; empty after a success.
  const std::string& message() const { return message_; }

  FileStatus read(std::span<char> record);
  FileStatus write(std::span<const char> record);
  FileStatus rewrite(std::span<const char> record);
  FileStatus write_or_rewrite(std::span<const char> record);
  FileStatus remove(std::span<const char> record);
  FileStatus remove_all();
  FileStatus start(std::span<const char> key, bool after);
  FileStatus read_next(std::span<char> record);
  FileStatus begin();
  FileStatus commit();
  FileStatus rollback();
  bool in_transaction() const { return in_transaction_; }

 private:
  FileStatus connect();
  FileStatus ready();  // connects again after a lost connection
  FileStatus set_up(bool& created);
  FileStatus prepare();
  FileStatus run(const char* sql);
  void note_lost();
  FileStatus change(const char* statement, std::span<const char> record, bool with_value,
                    bool none_is_not_found);
  FileStatus query_key(const char* statement, std::span<const char> key, pg_result*& rows);
  FileStatus fetch(const char* statement, std::span<const char> key, std::span<char> record);
  std::span<const char> key_of(std::span<const char> record) const;

  IndexedLayout layout_;
  StorageConfig config_;
  int busy_milliseconds_;
  OpenMode mode_ = OpenMode::kInput;
  std::string table_;      // the quoted, schema-qualified table name
  std::string file_name_;  // the file's name as it stands in quarn_layout
  pg_conn* conn_ = nullptr;
  bool prepared_ = false;
  bool in_transaction_ = false;
  std::string message_;
  std::vector<char> position_;
  bool positioned_ = false;
  bool position_inclusive_ = false;
};

// The one place where an indexed file's injected test failure is decided (indexed.cpp).
bool injected_change_failure(FileStatus& status);

}  // namespace quarn::platform
