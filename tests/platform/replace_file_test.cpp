#include "platform/replace_file.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/file_contents.hpp"
#include "support/temp_folder.hpp"

namespace quarn::platform::files {
namespace {

std::size_t entries(const std::filesystem::path& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
    ++n;
  return n;
}

ssize_t failing_write(int, const void*, std::size_t, off_t) {
  errno = ENOSPC;
  return -1;
}

TEST(ReplaceLines, TheNewContentsReplaceTheOldWhole) {
  testing::TempFolder folder;
  const std::string path = folder / "ORGFILE";
  std::ofstream(path) << "old contents that are longer than the new ones\n";
  const std::vector<std::string> lines{"one", "two"};
  EXPECT_EQ(replace_lines(path, lines), status::kOk);
  EXPECT_EQ(testing::file_contents(path), "one\ntwo\n");
  EXPECT_EQ(entries(folder.path()), 1u);
}

TEST(ReplaceLines, AFailureLeavesTheOldFileAndNoTemporaryFile) {
  testing::TempFolder folder;
  const std::string path = folder / "ORGFILE";
  std::ofstream(path) << "kept\n";
  const std::vector<std::string> lines{"lost"};

  syscalls().pwrite = &failing_write;
  EXPECT_EQ(replace_lines(path, lines), "34");
  reset_syscalls();
  EXPECT_EQ(testing::file_contents(path), "kept\n");
  EXPECT_EQ(entries(folder.path()), 1u);

  // A folder in the file's place cannot be replaced by a file.
  const std::string taken = folder / "TAKEN";
  std::filesystem::create_directory(taken);
  EXPECT_EQ(replace_lines(taken, lines), "37");
  EXPECT_TRUE(std::filesystem::is_directory(taken));
  EXPECT_EQ(entries(folder.path()), 2u);
  EXPECT_EQ(replace_lines(folder / "MISSING/ORGFILE", lines), "35");
}

}  // namespace
}  // namespace quarn::platform::files
