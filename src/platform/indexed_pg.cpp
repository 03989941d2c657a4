#include "platform/indexed_pg.hpp"

#include <dlfcn.h>
#include <libpq-fe.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <type_traits>

#include "frame/codec.hpp"
#include "frame/program.hpp"

namespace quarn::platform {
namespace {

// libpq, loaded when a home folder first asks for a server: programs that never use one do
// not load it (nor the libraries it brings: TLS, Kerberos, LDAP) at their start.
struct Libpq {
  decltype(&::PQclear) PQclear = nullptr;
  decltype(&::PQcmdTuples) PQcmdTuples = nullptr;
  decltype(&::PQconnectdbParams) PQconnectdbParams = nullptr;
  decltype(&::PQconninfoFree) PQconninfoFree = nullptr;
  decltype(&::PQconninfoParse) PQconninfoParse = nullptr;
  decltype(&::PQerrorMessage) PQerrorMessage = nullptr;
  decltype(&::PQescapeLiteral) PQescapeLiteral = nullptr;
  decltype(&::PQexec) PQexec = nullptr;
  decltype(&::PQexecParams) PQexecParams = nullptr;
  decltype(&::PQexecPrepared) PQexecPrepared = nullptr;
  decltype(&::PQfinish) PQfinish = nullptr;
  decltype(&::PQfreemem) PQfreemem = nullptr;
  decltype(&::PQgetlength) PQgetlength = nullptr;
  decltype(&::PQgetvalue) PQgetvalue = nullptr;
  decltype(&::PQnfields) PQnfields = nullptr;
  decltype(&::PQntuples) PQntuples = nullptr;
  decltype(&::PQprepare) PQprepare = nullptr;
  decltype(&::PQreset) PQreset = nullptr;
  decltype(&::PQresultErrorField) PQresultErrorField = nullptr;
  decltype(&::PQresultStatus) PQresultStatus = nullptr;
  decltype(&::PQsetNoticeProcessor) PQsetNoticeProcessor = nullptr;
  decltype(&::PQstatus) PQstatus = nullptr;
  decltype(&::PQtransactionStatus) PQtransactionStatus = nullptr;
  bool loaded = false;
  std::string error;
};

const Libpq& pq() {
  static const Libpq lib = [] {
    Libpq lib;
    void* handle = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* why = ::dlerror();
      lib.error = why == nullptr ? "libpq.so.5 cannot be loaded" : why;
      return lib;
    }
    const auto load = [&](auto& function, const char* name) {
      function =
          reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, name));
      if (function == nullptr) lib.error = std::string("libpq.so.5 has no ") + name;
      return function != nullptr;
    };
    lib.loaded =
        true && load(lib.PQclear, "PQclear") && load(lib.PQcmdTuples, "PQcmdTuples") &&
        load(lib.PQconnectdbParams, "PQconnectdbParams") &&
        load(lib.PQconninfoFree, "PQconninfoFree") &&
        load(lib.PQconninfoParse, "PQconninfoParse") &&
        load(lib.PQerrorMessage, "PQerrorMessage") &&
        load(lib.PQescapeLiteral, "PQescapeLiteral") && load(lib.PQexec, "PQexec") &&
        load(lib.PQexecParams, "PQexecParams") && load(lib.PQexecPrepared, "PQexecPrepared") &&
        load(lib.PQfinish, "PQfinish") && load(lib.PQfreemem, "PQfreemem") &&
        load(lib.PQgetlength, "PQgetlength") && load(lib.PQgetvalue, "PQgetvalue") &&
        load(lib.PQnfields, "PQnfields") && load(lib.PQntuples, "PQntuples") &&
        load(lib.PQprepare, "PQprepare") && load(lib.PQreset, "PQreset") &&
        load(lib.PQresultErrorField, "PQresultErrorField") &&
        load(lib.PQresultStatus, "PQresultStatus") &&
        load(lib.PQsetNoticeProcessor, "PQsetNoticeProcessor") && load(lib.PQstatus, "PQstatus") &&
        load(lib.PQtransactionStatus, "PQtransactionStatus");
    return lib;
  }();
  return lib;
}

// The statements of an open file, prepared once per connection under these names.
constexpr const char* kSelect = "quarn_select";
constexpr const char* kInsert = "quarn_insert";
constexpr const char* kUpdate = "quarn_update";
constexpr const char* kUpsert = "quarn_upsert";
constexpr const char* kDelete = "quarn_delete";
constexpr const char* kNextFrom = "quarn_next_from";
constexpr const char* kNextAfter = "quarn_next_after";

struct ResultDeleter {
  void operator()(PGresult* r) const { pq().PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// A name as a quoted identifier: every byte but the quote stands for itself.
std::string quoted(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

bool reads(OpenMode mode) {
  return mode == OpenMode::kInput || mode == OpenMode::kInputOutput;
}
bool changes(OpenMode mode) {
  return mode == OpenMode::kInputOutput;
}

// The server's notices (and its word that it is shutting down) are not the caller's business:
// failures reach it as statuses and messages.
void ignore_notice(void*, const char*) {}

std::string trimmed_message(const char* text) {
  std::string message = text == nullptr ? "" : text;
  while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

PgIndexedFile::PgIndexedFile(const IndexedLayout& layout, StorageConfig config,
                             int busy_milliseconds)
    : layout_(layout), config_(std::move(config)), busy_milliseconds_(busy_milliseconds) {}

PgIndexedFile::~PgIndexedFile() {
  close();
}

namespace {

// The status of a failed result; the connection's state decides a lost connection.
FileStatus status_of_result(pg_conn* conn, const PGresult* result) {
  if (pq().PQstatus(conn) == CONNECTION_BAD) return status::kIoError;
  const char* state =
      result == nullptr ? nullptr : pq().PQresultErrorField(result, PG_DIAG_SQLSTATE);
  if (state == nullptr) return status::kIoError;
  const std::string_view code(state);
  if (code == "23505") return status::kDuplicate;
  // Lock not available (lock_timeout), deadlock, serialization failure.
  if (code == "55P03" || code == "40P01" || code == "40001") return status::kBusy;
  if (code == "42501") return status::kNotPermitted;
  if (code.starts_with("53")) return status::kFull;
  if (code == "42P01" || code == "3F000") return status::kMissing;
  return status::kIoError;
}

}  // namespace

FileStatus PgIndexedFile::run(const char* sql) {
  Result r(pq().PQexec(conn_, sql));
  const ExecStatusType s = pq().PQresultStatus(r.get());
  if (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK) return status::kOk;
  message_ = trimmed_message(pq().PQerrorMessage(conn_));
  return status_of_result(conn_, r.get());
}

FileStatus PgIndexedFile::connect() {
  if (!pq().loaded) {
    message_ = pq().error;
    return status::kMissing;
  }
  const std::string timeout = std::to_string(config_.connect_timeout_seconds);
  const char* keys[] = {"dbname", "connect_timeout", "application_name", nullptr};
  const char* values[] = {config_.connection.c_str(), timeout.c_str(), "quarn-m", nullptr};
  conn_ = pq().PQconnectdbParams(keys, values, 1);
  if (conn_ == nullptr || pq().PQstatus(conn_) != CONNECTION_OK) {
    message_ = conn_ == nullptr ? "out of memory" : trimmed_message(pq().PQerrorMessage(conn_));
    pq().PQfinish(conn_);
    conn_ = nullptr;
    return status::kMissing;
  }
  pq().PQsetNoticeProcessor(conn_, &ignore_notice, nullptr);
  const std::string settings = "SET lock_timeout = " + std::to_string(busy_milliseconds_) +
                               "; SET client_min_messages = warning";
  return run(settings.c_str());
}

FileStatus PgIndexedFile::ready() {
  if (conn_ == nullptr) return status::kNotOpen;
  if (pq().PQstatus(conn_) == CONNECTION_OK) return status::kOk;
  // The server went away (a restart): the call connects again, trying for as long as a
  // connection may take, so that a restart costs the one call that found it gone.
  prepared_ = false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(config_.connect_timeout_seconds);
  for (;;) {
    pq().PQreset(conn_);
    if (pq().PQstatus(conn_) == CONNECTION_OK) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      message_ = trimmed_message(pq().PQerrorMessage(conn_));
      return status::kIoError;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  pq().PQsetNoticeProcessor(conn_, &ignore_notice, nullptr);
  const std::string settings = "SET lock_timeout = " + std::to_string(busy_milliseconds_) +
                               "; SET client_min_messages = warning";
  FileStatus result = run(settings.c_str());
  if (result == status::kOk) result = prepare();
  return result;
}

FileStatus PgIndexedFile::open(const std::string& table, OpenMode mode) {
  mode_ = mode;
  file_name_ = table;
  table_ = quoted(config_.schema) + "." + quoted(table);
  if (table.empty() || table.size() > 63) {
    message_ = "the file name \"" + table + "\" is not 1 to 63 bytes, as a table name must be";
    return status::kMissing;
  }
  FileStatus result = connect();
  if (result != status::kOk) {
    QUARN_RUNTIME_ERROR("the indexed file " + table +
                        " cannot be opened on the server: " + message_);
    close();
    return result;
  }
  bool created = false;
  result = set_up(created);
  if (result == status::kOk) result = prepare();
  if (result != status::kOk) {
    close();
    return result;
  }
  message_.clear();
  position_.clear();
  positioned_ = true;
  position_inclusive_ = true;
  return created && mode != OpenMode::kOutput ? status::kCreated : status::kOk;
}

// Makes the schema and the tables of a new file, or checks that the file's table holds
// records of this layout; one transaction, under a lock that keeps two stations from
// making the same file at once.
FileStatus PgIndexedFile::set_up(bool& created) {
  const bool writer = mode_ != OpenMode::kInput;
  const std::string schema = quoted(config_.schema);
  const std::string layouts = schema + ".quarn_layout";
  FileStatus result = run("BEGIN");
  if (result != status::kOk) return result;
  auto finish = [&](FileStatus r) {
    const FileStatus ended = run(r == status::kOk ? "COMMIT" : "ROLLBACK");
    return r == status::kOk ? ended : r;
  };
  if (writer) {
    const std::string lock =
        "SELECT pg_advisory_xact_lock(hashtext('quarn-m " + config_.schema + "'))";
    if ((result = run(lock.c_str())) != status::kOk) return finish(result);
  }
  const char* params[] = {nullptr};
  params[0] = layouts.c_str();
  Result exists(pq().PQexecParams(conn_, "SELECT to_regclass($1) IS NOT NULL", 1, nullptr, params,
                                  nullptr, nullptr, 0));
  if (pq().PQresultStatus(exists.get()) != PGRES_TUPLES_OK) {
    message_ = trimmed_message(pq().PQerrorMessage(conn_));
    return finish(status_of_result(conn_, exists.get()));
  }
  const bool have_layouts = std::string_view(pq().PQgetvalue(exists.get(), 0, 0)) == "t";
  if (!have_layouts) {
    if (!writer) return finish(status::kMissing);
    const std::string make = "CREATE SCHEMA IF NOT EXISTS " + schema + "; CREATE TABLE " + layouts +
                             "(name text PRIMARY KEY, record_length integer NOT NULL,"
                             " key_offset integer NOT NULL, key_length integer NOT NULL)";
    if ((result = run(make.c_str())) != status::kOk) return finish(result);
  }
  const std::string lookup =
      "SELECT record_length, key_offset, key_length FROM " + layouts + " WHERE name = $1";
  params[0] = file_name_.c_str();
  Result row(pq().PQexecParams(conn_, lookup.c_str(), 1, nullptr, params, nullptr, nullptr, 0));
  if (pq().PQresultStatus(row.get()) != PGRES_TUPLES_OK) {
    message_ = trimmed_message(pq().PQerrorMessage(conn_));
    return finish(status_of_result(conn_, row.get()));
  }
  if (pq().PQntuples(row.get()) == 0) {
    if (!writer) return finish(status::kMissing);
    const std::string create = "CREATE TABLE " + table_ + "(k bytea PRIMARY KEY, v bytea NOT NULL)";
    if ((result = run(create.c_str())) != status::kOk) return finish(result);
    const std::string insert = "INSERT INTO " + layouts + " VALUES($1,$2,$3,$4)";
    const std::string lengths[] = {std::to_string(layout_.record_length),
                                   std::to_string(layout_.key_offset),
                                   std::to_string(layout_.key_length)};
    const char* values[] = {file_name_.c_str(), lengths[0].c_str(), lengths[1].c_str(),
                            lengths[2].c_str()};
    Result inserted(
        pq().PQexecParams(conn_, insert.c_str(), 4, nullptr, values, nullptr, nullptr, 0));
    if (pq().PQresultStatus(inserted.get()) != PGRES_COMMAND_OK) {
      message_ = trimmed_message(pq().PQerrorMessage(conn_));
      return finish(status_of_result(conn_, inserted.get()));
    }
    created = true;
    return finish(status::kOk);
  }
  const auto number = [&](int column) { return std::atoll(pq().PQgetvalue(row.get(), 0, column)); };
  if (number(0) != static_cast<long long>(layout_.record_length) ||
      number(1) != static_cast<long long>(layout_.key_offset) ||
      number(2) != static_cast<long long>(layout_.key_length)) {
    return finish(status::kConflict);
  }
  if (mode_ == OpenMode::kOutput) {
    const std::string empty = "DELETE FROM " + table_;
    if ((result = run(empty.c_str())) != status::kOk) return finish(result);
  }
  return finish(status::kOk);
}

FileStatus PgIndexedFile::drop(const StorageConfig& config, const std::string& table,
                               std::string& message) {
  PgIndexedFile file({1, 0, 1}, config, IndexedFile::kDefaultBusyMilliseconds);
  file.file_name_ = table;
  FileStatus result = file.connect();
  if (result != status::kOk) {
    message = file.message_;
    return result;
  }
  const std::string schema = quoted(config.schema);
  char* name = pq().PQescapeLiteral(file.conn_, table.c_str(), table.size());
  const std::string sql = "BEGIN; DELETE FROM " + schema + ".quarn_layout WHERE name = " +
                          std::string(name == nullptr ? "''" : name) + "; DROP TABLE IF EXISTS " +
                          schema + "." + quoted(table) + "; COMMIT";
  pq().PQfreemem(name);
  Result r(pq().PQexec(file.conn_, sql.c_str()));
  if (pq().PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
    message = trimmed_message(pq().PQerrorMessage(file.conn_));
    return status_of_result(file.conn_, r.get());
  }
  return status::kOk;
}

std::string PgIndexedFile::shown_connection(const std::string& connection) {
  char* error = nullptr;
  PQconninfoOption* options = pq().PQconninfoParse(connection.c_str(), &error);
  if (options == nullptr) {
    pq().PQfreemem(error);
    return "(not a connection string)";
  }
  std::string shown;
  for (const PQconninfoOption* o = options; o->keyword != nullptr; ++o) {
    if (o->val == nullptr || *o->val == '\0') continue;
    if (!shown.empty()) shown += ' ';
    shown += std::string(o->keyword) + "=" +
             (std::strcmp(o->keyword, "password") == 0 ? "*****" : o->val);
  }
  pq().PQconninfoFree(options);
  return shown;
}

bool PgIndexedFile::probe(const StorageConfig& config, std::string& words) {
  PgIndexedFile file({1, 0, 1}, config, IndexedFile::kDefaultBusyMilliseconds);
  if (file.connect() != status::kOk) {
    words = file.message_;
    return false;
  }
  Result r(pq().PQexec(file.conn_, "SELECT current_setting('server_version')"));
  if (pq().PQresultStatus(r.get()) != PGRES_TUPLES_OK) {
    words = trimmed_message(pq().PQerrorMessage(file.conn_));
    return false;
  }
  words = "PostgreSQL " + std::string(pq().PQgetvalue(r.get(), 0, 0));
  return true;
}

FileStatus PgIndexedFile::prepare() {
  const struct {
    const char* name;
    std::string sql;
    int params;
  } statements[] = {
      {kSelect, "SELECT v FROM " + table_ + " WHERE k = $1", 1},
      // No error for a duplicate: inside a transaction an error would end the transaction.
      {kInsert, "INSERT INTO " + table_ + "(k, v) VALUES($1, $2) ON CONFLICT (k) DO NOTHING", 2},
      {kUpdate, "UPDATE " + table_ + " SET v = $2 WHERE k = $1", 2},
      {kUpsert,
       "INSERT INTO " + table_ +
           "(k, v) VALUES($1, $2) ON CONFLICT (k) DO UPDATE SET v = excluded.v",
       2},
      {kDelete, "DELETE FROM " + table_ + " WHERE k = $1", 1},
      {kNextFrom, "SELECT k, v FROM " + table_ + " WHERE k >= $1 ORDER BY k LIMIT 1", 1},
      {kNextAfter, "SELECT k, v FROM " + table_ + " WHERE k > $1 ORDER BY k LIMIT 1", 1},
  };
  for (const auto& s : statements) {
    // A reader prepares no change: preparing one takes a lock that a writer's
    // transaction holds against it.
    const bool change =
        s.name == kInsert || s.name == kUpdate || s.name == kUpsert || s.name == kDelete;
    if (change && mode_ == OpenMode::kInput) continue;
    const Oid types[] = {17, 17};  // bytea
    Result r(pq().PQprepare(conn_, s.name, s.sql.c_str(), s.params, types));
    if (pq().PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
      message_ = trimmed_message(pq().PQerrorMessage(conn_));
      return status_of_result(conn_, r.get());
    }
  }
  prepared_ = true;
  return status::kOk;
}

void PgIndexedFile::set_busy_timeout(int milliseconds) {
  busy_milliseconds_ = milliseconds;
  if (conn_ != nullptr && pq().PQstatus(conn_) == CONNECTION_OK) {
    run(("SET lock_timeout = " + std::to_string(milliseconds)).c_str());
  }
}

void PgIndexedFile::close() {
  if (conn_ == nullptr) return;
  // What was not committed is undone (the server does so when the connection ends).
  pq().PQfinish(conn_);
  conn_ = nullptr;
  prepared_ = false;
  in_transaction_ = false;
  positioned_ = false;
}

std::span<const char> PgIndexedFile::key_of(std::span<const char> record) const {
  return record.subspan(layout_.key_offset, layout_.key_length);
}

// A lost connection ends the transaction it was in: the server has undone it.
void PgIndexedFile::note_lost() {
  if (pq().PQstatus(conn_) == CONNECTION_BAD) in_transaction_ = false;
}

// Runs a prepared query of one key; "23" when it finds no row. The rows are the caller's.
FileStatus PgIndexedFile::query_key(const char* statement, std::span<const char> key,
                                    pg_result*& rows) {
  FileStatus result = ready();
  if (result != status::kOk) return result;
  // An empty key (the position before every record) is an empty bytea, not NULL.
  const char* values[] = {key.empty() ? "" : key.data()};
  const int lengths[] = {static_cast<int>(key.size())};
  const int formats[] = {1};
  rows = pq().PQexecPrepared(conn_, statement, 1, values, lengths, formats, 1);
  if (pq().PQresultStatus(rows) != PGRES_TUPLES_OK) {
    message_ = trimmed_message(pq().PQerrorMessage(conn_));
    result = status_of_result(conn_, rows);
    note_lost();
    return result;
  }
  return pq().PQntuples(rows) == 0 ? status::kNotFound : status::kOk;
}

FileStatus PgIndexedFile::fetch(const char* statement, std::span<const char> key,
                                std::span<char> record) {
  pg_result* rows = nullptr;
  FileStatus result = query_key(statement, key, rows);
  const Result r(rows);
  if (result != status::kOk) return result;
  const int column = pq().PQnfields(r.get()) - 1;
  const std::size_t length = static_cast<std::size_t>(pq().PQgetlength(r.get(), 0, column));
  frame::put_text(record, std::string_view(pq().PQgetvalue(r.get(), 0, column), length));
  result = length == record.size() ? status::kOk : status::kBadLength;
  const auto read_key = key_of(record);
  position_.assign(read_key.begin(), read_key.end());
  positioned_ = true;
  position_inclusive_ = false;
  return result;
}

FileStatus PgIndexedFile::change(const char* statement, std::span<const char> record,
                                 bool with_value, bool none_is_not_found) {
  FileStatus result = status::kOk;
  if (injected_change_failure(result)) return result;
  if ((result = ready()) != status::kOk) return result;
  const auto key = key_of(record);
  const char* values[] = {key.data(), record.data()};
  const int lengths[] = {static_cast<int>(key.size()), static_cast<int>(record.size())};
  const int formats[] = {1, 1};
  Result r(pq().PQexecPrepared(conn_, statement, with_value ? 2 : 1, values, lengths, formats, 0));
  if (pq().PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
    message_ = trimmed_message(pq().PQerrorMessage(conn_));
    result = status_of_result(conn_, r.get());
    note_lost();
    return result;
  }
  if (std::strcmp(pq().PQcmdTuples(r.get()), "0") == 0) {
    return none_is_not_found ? status::kNotFound : status::kDuplicate;
  }
  return status::kOk;
}

FileStatus PgIndexedFile::read(std::span<char> record) {
  if (conn_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  // The key is copied: the read puts the record over it.
  const auto key = key_of(record);
  const std::vector<char> copy(key.begin(), key.end());
  return fetch(kSelect, copy, record);
}

FileStatus PgIndexedFile::write(std::span<const char> record) {
  if (conn_ == nullptr || mode_ == OpenMode::kInput) return status::kWriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return change(kInsert, record, true, false);
}

FileStatus PgIndexedFile::rewrite(std::span<const char> record) {
  if (conn_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return change(kUpdate, record, true, true);
}

FileStatus PgIndexedFile::write_or_rewrite(std::span<const char> record) {
  if (conn_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  return change(kUpsert, record, true, true);
}

FileStatus PgIndexedFile::remove(std::span<const char> record) {
  if (conn_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  if (record.size() < layout_.key_offset + layout_.key_length) return status::kLengthConflict;
  return change(kDelete, record, false, true);
}

FileStatus PgIndexedFile::remove_all() {
  if (conn_ == nullptr || !changes(mode_)) return status::kRewriteMode;
  FileStatus result = status::kOk;
  if (injected_change_failure(result)) return result;
  if ((result = ready()) != status::kOk) return result;
  result = run(("DELETE FROM " + table_).c_str());
  note_lost();
  return result;
}

FileStatus PgIndexedFile::start(std::span<const char> key, bool after) {
  if (conn_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (key.size() != layout_.key_length) return status::kLengthConflict;
  pg_result* rows = nullptr;
  const FileStatus result = query_key(after ? kNextAfter : kNextFrom, key, rows);
  const Result r(rows);
  positioned_ = false;
  if (result != status::kOk) return result;
  const char* found = pq().PQgetvalue(r.get(), 0, 0);
  position_.assign(found, found + pq().PQgetlength(r.get(), 0, 0));
  positioned_ = true;
  position_inclusive_ = true;
  return status::kOk;
}

FileStatus PgIndexedFile::read_next(std::span<char> record) {
  if (conn_ == nullptr || !reads(mode_)) return status::kReadMode;
  if (!positioned_) return status::kNoPosition;
  if (record.size() != layout_.record_length) return status::kLengthConflict;
  const std::vector<char> from = position_;
  const FileStatus result = fetch(position_inclusive_ ? kNextFrom : kNextAfter, from, record);
  if (result == status::kNotFound) {
    // Past the last record: stay there.
    position_inclusive_ = false;
    return status::kAtEnd;
  }
  return result;
}

FileStatus PgIndexedFile::begin() {
  if (conn_ == nullptr) return status::kNotOpen;
  if (in_transaction_) return status::kOk;
  FileStatus result = ready();
  if (result != status::kOk) return result;
  if (mode_ == OpenMode::kInput) {
    // A steady view of the file for the whole transaction.
    result = run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
  } else {
    // The file is taken for writing at once: other writers wait (up to lock_timeout),
    // readers go on reading what was committed.
    result = run(("BEGIN; LOCK TABLE " + table_ + " IN SHARE ROW EXCLUSIVE MODE").c_str());
    if (result != status::kOk && pq().PQstatus(conn_) == CONNECTION_OK) run("ROLLBACK");
  }
  if (result == status::kOk) in_transaction_ = true;
  return result;
}

FileStatus PgIndexedFile::commit() {
  if (conn_ == nullptr) return status::kNotOpen;
  if (!in_transaction_) return status::kOk;
  FileStatus result = status::kOk;
  if (injected_change_failure(result)) {
    rollback();
    return result;
  }
  if (pq().PQtransactionStatus(conn_) == PQTRANS_INERROR) {
    // A statement failed and the server has undone the transaction.
    rollback();
    return status::kIoError;
  }
  result = run("COMMIT");
  if (result != status::kOk) {
    rollback();
    return result;
  }
  in_transaction_ = false;
  return status::kOk;
}

FileStatus PgIndexedFile::rollback() {
  if (conn_ == nullptr) return status::kNotOpen;
  if (!in_transaction_) return status::kOk;
  in_transaction_ = false;
  if (pq().PQstatus(conn_) != CONNECTION_OK) return status::kOk;
  return run("ROLLBACK");
}

}  // namespace quarn::platform
