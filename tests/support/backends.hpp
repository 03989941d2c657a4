// The two places indexed files live, for suites that run against both: SQLite files in the
// home folder, and tables on the tests' private PostgreSQL server (started by the CTest
// fixture, which names it in QUARN_TEST_POSTGRESQL).
#pragma once

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/storage.hpp"

namespace quarn::testing {

enum class TestBackend { kSqlite, kPostgresql };

inline std::string backend_name(const ::testing::TestParamInfo<TestBackend>& info) {
  return info.param == TestBackend::kSqlite ? "Sqlite" : "Postgresql";
}

// The connection string of the tests' server; a test that needs it fails without it.
inline std::string test_server() {
  const char* conninfo = std::getenv("QUARN_TEST_POSTGRESQL");
  return conninfo == nullptr ? std::string() : std::string(conninfo);
}

// A schema of its own for a home folder: from the folder's unique name.
inline std::string schema_of(const std::filesystem::path& folder) {
  std::string schema = "t_";
  for (const unsigned char c : folder.filename().string()) {
    const char* hex = "0123456789abcdef";
    schema += hex[c >> 4];
    schema += hex[c & 15];
  }
  return schema.substr(0, 63);
}

// Runs one statement on the tests' server; its error text, or empty.
inline std::string on_test_server(const std::string& sql) {
  PGconn* conn = PQconnectdb(test_server().c_str());
  std::string error;
  if (PQstatus(conn) != CONNECTION_OK) {
    error = PQerrorMessage(conn);
  } else {
    PQclear(PQexec(conn, "SET client_min_messages = warning"));
    PGresult* r = PQexec(conn, sql.c_str());
    const ExecStatusType s = PQresultStatus(r);
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK) error = PQerrorMessage(conn);
    PQclear(r);
  }
  PQfinish(conn);
  return error;
}

// Makes `folder` a home folder of `backend`: for PostgreSQL a quarn-storage.conf that names
// the tests' server and a schema of the folder's own, dropped again by drop_backend().
inline void use_backend(TestBackend backend, const std::filesystem::path& folder) {
  if (backend == TestBackend::kSqlite) return;
  ASSERT_FALSE(test_server().empty())
      << "QUARN_TEST_POSTGRESQL is not set: run the tests through CTest, which starts the server";
  std::ofstream(folder / platform::kStorageConfName)
      << "# the tests' private server\nbackend = postgresql\nconnection = " << test_server()
      << "\nschema = " << schema_of(folder) << "\nconnect_timeout = 5\n";
}

inline void drop_backend(TestBackend backend, const std::filesystem::path& folder) {
  if (backend == TestBackend::kPostgresql && !test_server().empty()) {
    on_test_server("DROP SCHEMA IF EXISTS " + schema_of(folder) + " CASCADE");
  }
}

}  // namespace quarn::testing
