#include "platform/file_status.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/files.hpp"
#include "platform/lineseq.hpp"
#include "support/temp_folder.hpp"

namespace quarn::platform {
namespace {

int failing_errno = 0;

int failing_open(const char*, int, mode_t) {
  errno = failing_errno;
  return -1;
}

// Every routine of the layer that opens a file answers the same status for the same
// failure: the byte-stream routines, the line writer and the line reader.
TEST(FileStatus, EveryFileRoutineGivesAFailureTheSameStatus) {
  testing::TempFolder folder;
  const std::string path = folder / "file";
  const struct {
    int error;
    FileStatus expected;
  } cases[] = {
      {ENOENT, "35"}, {ENOTDIR, "35"}, {ENAMETOOLONG, "35"}, {EACCES, "37"}, {EPERM, "37"},
      {EROFS, "37"},  {EEXIST, "37"},  {EISDIR, "37"},       {ELOOP, "37"},  {ENOSPC, "34"},
      {EDQUOT, "34"}, {EFBIG, "34"},   {ERANGE, "34"},       {EIO, "30"},    {EMFILE, "30"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(status_of_errno(c.error), c.expected);
    failing_errno = c.error;
    files::syscalls().open = &failing_open;
    int fd = -1;
    EXPECT_EQ(files::open_for_reading(path, &fd), c.expected);
    EXPECT_EQ(files::create_new_file(path, &fd), c.expected);
    lineseq::LineWriter writer;
    EXPECT_EQ(writer.open(path, lineseq::WriteMode::kReplace, lineseq::Target::kAny), c.expected);
    lineseq::LineReader reader;
    EXPECT_EQ(reader.open(path), c.expected);
    files::reset_syscalls();
  }
  EXPECT_EQ(status_of_errno(0), status::kOk);
}

// A folder where a file is meant, a link where a new file is meant, a folder name too long
// for the buffer and a file held by another open, met for real rather than injected.
TEST(FileStatus, RealFailuresGiveTheirStatuses) {
  testing::TempFolder folder;
  std::filesystem::create_symlink(folder / "elsewhere", folder / "link");
  int fd = -1;
  EXPECT_EQ(files::create_new_file(folder / "link", &fd), "37");
  lineseq::LineWriter writer;
  EXPECT_EQ(writer.open(folder / "link", lineseq::WriteMode::kExtend), "37");
  EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere"));
  std::string contents;
  EXPECT_EQ(files::read_file(folder.path().string(), 100, &contents), "37")
      << "a folder read as a file";
  EXPECT_EQ(writer.open(folder.path().string(), lineseq::WriteMode::kExtend, lineseq::Target::kAny),
            "37");
  char buffer[2];
  EXPECT_EQ(files::current_folder(buffer, sizeof buffer), "34");
  EXPECT_EQ(files::create_held_file(folder / "held", &fd), status::kOk);
  EXPECT_EQ(files::remove_unless_in_use(folder / "held"), status::kBusy);
  EXPECT_EQ(files::close_file(fd), status::kOk);
  EXPECT_EQ(files::remove_unless_in_use(folder / "held"), status::kOk);
}

}  // namespace
}  // namespace quarn::platform
