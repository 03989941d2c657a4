// Where a home folder keeps its indexed files. A folder that holds a quarn-storage.conf
// naming the postgresql backend keeps them on a database server, one table per file in
// the schema it names; every other folder keeps them as SQLite files, as it always has.
//
//   # quarn-storage.conf
//   backend = postgresql
//   connection = host=db.office dbname=quarn user=station
//   schema = office1
//   connect_timeout = 5
//
// `connection` is a libpq connection string ("service=office" names a service file entry).
#pragma once

#include <string>

namespace quarn::platform {

inline constexpr const char* kStorageConfName = "quarn-storage.conf";

enum class Backend { kSqlite, kPostgresql };

struct StorageConfig {
  Backend backend = Backend::kSqlite;
  std::string connection;
  std::string schema = "quarn";
  int connect_timeout_seconds = 5;
  std::string conf_path;  // the file read; empty when the folder has none
  std::string error;      // why the file cannot be used; empty when it can
};

// The folder that holds `path`: "." for a bare name.
std::string folder_of(const std::string& path);

// The configuration of the folder `folder` (its quarn-storage.conf, or the SQLite default).
StorageConfig storage_of_folder(const std::string& folder);
// The configuration that governs the indexed file `path`: that of the folder holding it.
StorageConfig storage_of_file(const std::string& path);

// Says where the home folder `folder` keeps its indexed files and, for a server, whether it
// answers (and as which server). True when the storage can be used.
bool check_storage(const std::string& folder, std::string& report);

}  // namespace quarn::platform
