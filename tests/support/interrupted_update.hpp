// Leaves an indexed file as an update killed part-way leaves it: some pages of an unfinished
// transaction already written into the file, and beside it the journal ("-journal") that
// holds what those pages were. Only a recovery from the journal gives the records back.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "support/file_contents.hpp"

namespace quarn::testing {

// Every record of `path` is overwritten by an unfinished transaction; the file and its
// journal are taken while the transaction is open, as a SIGKILL would leave them.
inline void leave_interrupted_update(const std::string& path) {
  namespace fs = std::filesystem;
  const std::string work = path + ".work";
  const std::string before = file_contents(path);
  fs::copy_file(path, work, fs::copy_options::overwrite_existing);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(work.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  // A cache of a few pages makes the change spill into the file before any commit.
  ASSERT_EQ(sqlite3_exec(db,
                         "PRAGMA journal_mode=DELETE; PRAGMA cache_size=1; BEGIN IMMEDIATE;"
                         " UPDATE records SET v=randomblob(length(v));",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  ASSERT_TRUE(fs::exists(work + "-journal"));
  fs::copy_file(work, path, fs::copy_options::overwrite_existing);
  ASSERT_NE(file_contents(path), before) << "the change has reached the file";
  fs::copy_file(work + "-journal", path + "-journal", fs::copy_options::overwrite_existing);
  sqlite3_close(db);
  fs::remove(work);
  fs::remove(work + "-journal");
}

}  // namespace quarn::testing
