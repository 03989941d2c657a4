#include "platform/indexed.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <string>

#include "support/backends.hpp"
#include "support/interrupted_update.hpp"
#include "support/temp_folder.hpp"

namespace quarn::platform {
namespace {

// Records of 12 bytes whose key is bytes 2-5.
constexpr IndexedLayout kLayout{12, 2, 4};

std::string rec(std::string_view key, std::string_view value) {
  std::string r = "##" + std::string(key) + std::string(value);
  r.resize(12, ' ');
  return r;
}

// What holds for indexed files wherever they live: run on both backends.
class IndexedFileTest : public ::testing::TestWithParam<testing::TestBackend> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(testing::use_backend(GetParam(), folder.path()));
  }
  void TearDown() override { testing::drop_backend(GetParam(), folder.path()); }
  testing::TempFolder folder;
  std::string path = folder / "data.idx";
};
INSTANTIATE_TEST_SUITE_P(Backends, IndexedFileTest,
                         ::testing::Values(testing::TestBackend::kSqlite,
                                           testing::TestBackend::kPostgresql),
                         testing::backend_name);

// What only SQLite files have: a file on disk that others may open, replace or break.
class SqliteIndexedFileTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  std::string path = folder / "data.idx";
};

TEST_P(IndexedFileTest, KeyedOperationsGiveTheirStatuses) {
  IndexedFile file(kLayout);
  EXPECT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  std::string r = rec("AAAA", "one");
  EXPECT_EQ(file.write(r), status::kOk);
  EXPECT_EQ(file.write(rec("AAAA", "dup")), status::kDuplicate);
  EXPECT_EQ(file.rewrite(rec("BBBB", "x")), status::kNotFound);
  EXPECT_EQ(file.remove(rec("BBBB", "")), status::kNotFound);
  EXPECT_EQ(file.rewrite(rec("AAAA", "two")), status::kOk);
  EXPECT_EQ(file.write_or_rewrite(rec("FFFF", "new")), status::kOk);
  EXPECT_EQ(file.write_or_rewrite(rec("FFFF", "again")), status::kOk);
  std::string f = rec("FFFF", "");
  EXPECT_EQ(file.read(f), status::kOk);
  EXPECT_EQ(f, rec("FFFF", "again"));

  std::string got = rec("AAAA", "");
  EXPECT_EQ(file.read(got), status::kOk);
  EXPECT_EQ(got, rec("AAAA", "two"));
  std::string missing = rec("CCCC", "left");
  EXPECT_EQ(file.read(missing), status::kNotFound);
  EXPECT_EQ(missing, rec("CCCC", "left")) << "a failed read leaves the record alone";

  EXPECT_EQ(file.remove(rec("AAAA", "")), status::kOk);
  EXPECT_EQ(file.read(got), status::kNotFound);
  EXPECT_EQ(file.close(), status::kOk);

  // Reopened: the file exists now, and what was written is there.
  ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kOk);
  ASSERT_EQ(file.write(rec("DDDD", "kept")), status::kOk);
  file.close();
  IndexedFile reader(kLayout);
  ASSERT_EQ(reader.open(path, OpenMode::kInput), status::kOk);
  got = rec("DDDD", "");
  EXPECT_EQ(reader.read(got), status::kOk);
  EXPECT_EQ(got, rec("DDDD", "kept"));
  EXPECT_EQ(reader.write(rec("EEEE", "")), status::kWriteMode);
  EXPECT_EQ(reader.rewrite(got), status::kRewriteMode);
  EXPECT_EQ(reader.remove(got), status::kRewriteMode);
  EXPECT_EQ(reader.write_or_rewrite(got), status::kRewriteMode);
}

TEST_P(IndexedFileTest, StartAndReadNextWalkInKeyOrder) {
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  for (const char* key : {"MMMM", "AAAA", "ZZZZ", "CCCC"})
    ASSERT_EQ(file.write(rec(key, key)), status::kOk);

  std::string r(12, ' ');
  std::string keys;
  while (file.read_next(r) == status::kOk)
    keys += r.substr(2, 4) + " ";
  EXPECT_EQ(keys, "AAAA CCCC MMMM ZZZZ ") << "from the open, read next starts at the first";
  EXPECT_EQ(file.read_next(r), status::kAtEnd);

  EXPECT_EQ(file.start(std::string_view("BBBB")), status::kOk);
  ASSERT_EQ(file.read_next(r), status::kOk);
  EXPECT_EQ(r.substr(2, 4), "CCCC");
  EXPECT_EQ(file.start(std::string_view("MMMM"), true), status::kOk);
  ASSERT_EQ(file.read_next(r), status::kOk);
  EXPECT_EQ(r.substr(2, 4), "ZZZZ");
  EXPECT_EQ(file.read_next(r), status::kAtEnd);
  EXPECT_EQ(file.start(std::string_view("ZZZZ"), true), status::kNotFound);
  EXPECT_EQ(file.read_next(r), status::kNoPosition);

  // A read by key positions the next read after it.
  r = rec("AAAA", "");
  ASSERT_EQ(file.read(r), status::kOk);
  ASSERT_EQ(file.read_next(r), status::kOk);
  EXPECT_EQ(r.substr(2, 4), "CCCC");
}

TEST_F(SqliteIndexedFileTest, OpenReportsFilesItCannotUse) {
  {
    IndexedFile file(kLayout);
    ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
    EXPECT_EQ(file.open(path, OpenMode::kInputOutput), status::kAlreadyOpen);
  }
  const std::string text_file = folder / "notes.txt";
  std::ofstream(text_file) << "This is a plain text file, long enough to be read as a header.\n"
                           << std::string(200, 'x') << "\n";

  struct Case {
    const char* what;
    IndexedLayout layout;
    std::string path;
    OpenMode mode;
    FileStatus expected;
  };
  const Case cases[] = {
      {"other record length", {13, 2, 4}, path, OpenMode::kInputOutput, status::kConflict},
      {"other key", {12, 0, 4}, path, OpenMode::kInput, status::kConflict},
      {"not a database", kLayout, text_file, OpenMode::kInputOutput, status::kConflict},
      {"not a database, input", kLayout, text_file, OpenMode::kInput, status::kConflict},
      {"missing, input", kLayout, folder / "none.idx", OpenMode::kInput, status::kMissing},
      {"empty name", kLayout, "", OpenMode::kInputOutput, status::kMissing},
      {"missing folder", kLayout, folder / "no/such/file.idx", OpenMode::kInputOutput,
       status::kMissing},
  };
  for (const Case& c : cases) {
    IndexedFile file(c.layout);
    EXPECT_EQ(file.open(c.path, c.mode), c.expected) << c.what;
    EXPECT_FALSE(file.is_open()) << c.what;
  }
  std::ifstream text(text_file);
  std::string first_line;
  std::getline(text, first_line);
  EXPECT_EQ(first_line.substr(0, 9), "This is a") << "a foreign file is left as it was";
}

TEST_P(IndexedFileTest, OutputEmptiesAndExtendCreates) {
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kExtend), status::kCreated);
  ASSERT_EQ(file.write(rec("AAAA", "")), status::kOk);
  std::string r = rec("AAAA", "");
  EXPECT_EQ(file.read(r), status::kReadMode);
  file.close();
  ASSERT_EQ(file.open(path, OpenMode::kOutput), status::kOk);
  file.close();
  ASSERT_EQ(file.open(path, OpenMode::kInput), status::kOk);
  EXPECT_EQ(file.read(r), status::kNotFound);
}

TEST_P(IndexedFileTest, OpenReportsOtherLayoutsAndMissingFiles) {
  {
    IndexedFile file(kLayout);
    ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
    EXPECT_EQ(file.open(path, OpenMode::kInputOutput), status::kAlreadyOpen);
  }
  struct Case {
    const char* what;
    IndexedLayout layout;
    std::string path;
    OpenMode mode;
    FileStatus expected;
  };
  const Case cases[] = {
      {"other record length", {13, 2, 4}, path, OpenMode::kInputOutput, status::kConflict},
      {"other key", {12, 0, 4}, path, OpenMode::kInput, status::kConflict},
      {"other key length", {12, 2, 5}, path, OpenMode::kOutput, status::kConflict},
      {"missing, input", kLayout, folder / "none.idx", OpenMode::kInput, status::kMissing},
  };
  for (const Case& c : cases) {
    IndexedFile file(c.layout);
    EXPECT_EQ(file.open(c.path, c.mode), c.expected) << c.what;
    EXPECT_FALSE(file.is_open()) << c.what;
  }
}

// A writer's transaction holds the file: another writer waits, then reports "93"; a
// reader reads what was committed.
TEST_P(IndexedFileTest, AWriterWaitsForATransactionThenReportsBusy) {
  IndexedFile holder(kLayout);
  ASSERT_EQ(holder.open(path, OpenMode::kInputOutput), status::kCreated);
  ASSERT_EQ(holder.write(rec("AAAA", "old")), status::kOk);
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kOk);
  file.set_busy_timeout(100);
  IndexedFile reader(kLayout);
  ASSERT_EQ(reader.open(path, OpenMode::kInput), status::kOk);

  ASSERT_EQ(holder.begin(), status::kOk);
  ASSERT_EQ(holder.rewrite(rec("AAAA", "new")), status::kOk);
  std::string seen = rec("AAAA", "");
  EXPECT_EQ(reader.read(seen), status::kOk);
  EXPECT_EQ(seen, rec("AAAA", "old")) << "the reader sees what was committed";
  EXPECT_EQ(file.write(rec("BBBB", "")), status::kBusy);
  EXPECT_EQ(file.write_or_rewrite(rec("AAAA", "mine")), status::kBusy);
  ASSERT_EQ(holder.commit(), status::kOk);
  EXPECT_EQ(file.write(rec("BBBB", "")), status::kOk) << "the file is free again";
  std::string r = rec("AAAA", "");
  EXPECT_EQ(file.read(r), status::kOk);
  EXPECT_EQ(r, rec("AAAA", "new"));
}

TEST_F(SqliteIndexedFileTest, BusyFileIsReportedAfterTheWait) {
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  file.set_busy_timeout(50);

  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  std::string r = rec("AAAA", "");
  EXPECT_EQ(file.write(r), status::kBusy);
  EXPECT_EQ(file.read(r), status::kBusy);
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(file.write(r), status::kOk);
}

TEST_F(SqliteIndexedFileTest, StoredRecordOfAnotherLengthIsReportedNotOverrun) {
  {
    IndexedFile file(kLayout);
    ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  }
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "INSERT INTO records VALUES(x'41414141', zeroblob(4000))", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(other);
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kInput), status::kOk);
  std::string r = rec("AAAA", "");
  EXPECT_EQ(file.read(r), status::kBadLength);
  EXPECT_EQ(r.size(), 12u);
}

TEST_P(IndexedFileTest, ATransactionIsKeptWholeOrUndoneWhole) {
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kCreated);
  ASSERT_EQ(file.write(rec("AAAA", "kept")), status::kOk);

  // Undone by rollback, and by a close without a commit.
  for (const bool by_close : {false, true}) {
    ASSERT_EQ(file.begin(), status::kOk);
    EXPECT_TRUE(file.in_transaction());
    ASSERT_EQ(file.write(rec("BBBB", "gone")), status::kOk);
    ASSERT_EQ(file.rewrite(rec("AAAA", "changed")), status::kOk);
    if (by_close) {
      file.close();
      ASSERT_EQ(file.open(path, OpenMode::kInputOutput), status::kOk);
    } else {
      EXPECT_EQ(file.rollback(), status::kOk);
    }
    EXPECT_FALSE(file.in_transaction());
    std::string r = rec("AAAA", "");
    EXPECT_EQ(file.read(r), status::kOk);
    EXPECT_EQ(r, rec("AAAA", "kept"));
    r = rec("BBBB", "");
    EXPECT_EQ(file.read(r), status::kNotFound);
  }

  // A commit makes every change visible to others at once.
  ASSERT_EQ(file.begin(), status::kOk);
  ASSERT_EQ(file.write(rec("CCCC", "one")), status::kOk);
  ASSERT_EQ(file.write(rec("DDDD", "two")), status::kOk);
  IndexedFile other(kLayout);
  ASSERT_EQ(other.open(path, OpenMode::kInput), status::kOk);
  std::string seen = rec("CCCC", "");
  EXPECT_EQ(other.read(seen), status::kNotFound) << "not before the commit";
  ASSERT_EQ(file.commit(), status::kOk);
  EXPECT_EQ(other.read(seen), status::kOk);
  EXPECT_EQ(seen, rec("CCCC", "one"));

  // A failing commit undoes the transaction and says why.
  ASSERT_EQ(file.begin(), status::kOk);
  ASSERT_EQ(file.write(rec("EEEE", "lost")), status::kOk);
  IndexedFile::fail_change_after(0, status::kFull);
  EXPECT_EQ(file.commit(), status::kFull);
  IndexedFile::fail_change_after(-1, status::kOk);
  std::string lost = rec("EEEE", "");
  EXPECT_EQ(file.read(lost), status::kNotFound);
}

// Writes records "0000".."nnnn" with `value`, in one transaction.
void fill(const std::string& path, int count, std::string_view value) {
  IndexedFile file(kLayout);
  ASSERT_EQ(file.open(path, OpenMode::kOutput), status::kOk);
  ASSERT_EQ(file.begin(), status::kOk);
  for (int i = 0; i < count; ++i) {
    std::string key = std::to_string(i);
    key.insert(0, 4 - key.size(), '0');
    ASSERT_EQ(file.write(rec(key, value)), status::kOk);
  }
  ASSERT_EQ(file.commit(), status::kOk);
}

TEST_F(SqliteIndexedFileTest, AReaderRecoversTheJournalOfAKilledUpdate) {
  fill(path, 5000, "kept");
  testing::leave_interrupted_update(path);
  IndexedFile reader(kLayout);
  ASSERT_EQ(reader.open(path, OpenMode::kInput), status::kOk);
  EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
  std::string r(12, ' ');
  int count = 0;
  while (reader.read_next(r) == status::kOk) {
    ASSERT_EQ(r.substr(6), "kept  ") << "record " << count;
    ++count;
  }
  EXPECT_EQ(count, 5000);
}

}  // namespace
}  // namespace quarn::platform
