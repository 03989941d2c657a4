#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.hpp"
#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

namespace files = platform::files;

std::string checkpath(const std::string& path, char create = 'N') {
  QuarnCheckpathRecord record;
  std::memset(&record, ' ', sizeof record);
  std::memcpy(record.cp_path, path.data(), std::min(path.size(), sizeof record.cp_path));
  record.cp_create_flag[0] = create;
  QUARN_CHECKPATH(&record);
  EXPECT_EQ(std::string(record.cp_path, std::min(path.size(), sizeof record.cp_path)),
            path.substr(0, sizeof record.cp_path));
  return std::string(record.cp_status, 2);
}

class Checkpath : public ::testing::Test {
 protected:
  void TearDown() override { files::reset_syscalls(); }
  std::string probe(const std::string& folder) const { return folder + "/CKPERK9CV.QNC"; }
  ScratchFolder folder_;
};

TEST_F(Checkpath, Results) {
  const std::string data = folder_ / "DATA";
  fs::create_directory(data);
  // Either separator; the file name after the last one is ignored.
  EXPECT_EQ(checkpath(data + "/"), "00");
  EXPECT_EQ(checkpath(data + "\\FILE.DAT"), "00");
  EXPECT_FALSE(fs::exists(probe(data)));
  fs::create_directory(folder_ / "NEW");
  write_file(probe(folder_ / "NEW"), "left over");
  EXPECT_EQ(checkpath(folder_ / "NEW/"), "00") << "a leftover probe is deleted first";

  const std::string missing = folder_ / "MISSING";
  EXPECT_EQ(checkpath(missing + "\\", 'N'), "74");
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(checkpath(missing + "\\", 'Y'), "73");
  EXPECT_TRUE(fs::is_directory(missing));
  EXPECT_EQ(checkpath(missing + "\\", 'Y'), "00");
  // Only the last level is created.
  EXPECT_EQ(checkpath(folder_ / "A/B/", 'Y'), "74");
  EXPECT_EQ(checkpath("DATA"), "79");
  EXPECT_EQ(checkpath(""), "79");
  // A zero byte ends the path: the separator after it does not count.
  EXPECT_EQ(checkpath(std::string("DATA\0/x/", 8)), "79");
}

TEST_F(Checkpath, ReadOnlyFolderIsNotWritable) {
  if (::geteuid() == 0) {
    // root writes anywhere: refuse the creation instead.
    files::syscalls().open = [](const char*, int, mode_t) {
      errno = EACCES;
      return -1;
    };
  }
  const std::string locked = folder_ / "LOCKED";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(checkpath(locked + "/", 'N'), "74");
  EXPECT_EQ(checkpath(locked + "/", 'Y'), "74") << "the folder exists: creating it fails";
}

TEST_F(Checkpath, PlantedLinkNeverLeadsElsewhere) {
  const std::string data = folder_ / "DATA";
  const std::string elsewhere = folder_ / "elsewhere.txt";
  fs::create_directory(data);
  write_file(elsewhere, "precious");
  fs::create_symlink(elsewhere, probe(data));
  EXPECT_EQ(checkpath(data + "/"), "00");
  EXPECT_EQ(read_file(elsewhere), "precious");
  EXPECT_FALSE(fs::exists(fs::symlink_status(probe(data))));

  // A link planted between the deletion and the creation is refused, not followed: no
  // file appears where it points.
  static std::string target;
  target = folder_ / "created-elsewhere";
  files::syscalls().unlink = [](const char* path) {
    const int result = ::unlink(path);
    ::symlink(target.c_str(), path);
    return result;
  };
  EXPECT_EQ(checkpath(data + "/"), "74");
  files::reset_syscalls();
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(Checkpath, ProbeThatCannotBeClosedOrDeleted) {
  const std::string data = folder_ / "DATA";
  fs::create_directory(data);
  files::syscalls().close = [](int fd) {
    ::close(fd);
    errno = EIO;
    return -1;
  };
  EXPECT_EQ(checkpath(data + "/"), "75");
  files::reset_syscalls();
  static int unlinks = 0;
  unlinks = 0;
  files::syscalls().unlink = [](const char* path) {
    if (++unlinks == 2) {
      errno = EBUSY;
      return -1;
    }
    return ::unlink(path);
  };
  EXPECT_EQ(checkpath(data + "/"), "75");
}

TEST_F(Checkpath, LongFolderKeepsTheWholeProbeName) {
  // A folder of 120 characters: a probe name cut at 128 would be "CKPERK9" and delete
  // a file of that name.
  std::string folder = folder_.path().string() + "/";
  folder += std::string(119 - folder.size(), 'd');
  fs::create_directory(folder);
  write_file(folder + "/CKPERK9", "user data");
  EXPECT_EQ(checkpath(folder + "/"), "00");
  EXPECT_EQ(read_file(folder + "/CKPERK9"), "user data");
}

struct CurrentDir {
  std::string folder;
  std::int32_t length;
  std::int32_t status;
};

CurrentDir get_current_dir() {
  QuarnCdFolder folder;
  std::memset(folder.cd_folder, 'x', sizeof folder.cd_folder);
  std::int32_t length = -1;
  std::int32_t status = -1;
  QUARN_GET_CURRENT_DIR(&folder, &length, &status);
  return {std::string(folder.cd_folder, sizeof folder.cd_folder), length, status};
}

TEST(GetCurrentDir, RootDeepAndTooLong) {
  const fs::path old = fs::current_path();
  ScratchFolder scratch;

  fs::current_path("/");
  CurrentDir cd = get_current_dir();
  EXPECT_EQ(cd.folder, "/" + std::string(254, ' '));
  EXPECT_EQ(cd.length, 1);
  EXPECT_EQ(cd.status, 0);

  // 255 characters fit; 256 do not.
  std::string deep = scratch.path().string();
  while (deep.size() < 255 - 51)
    deep += "/" + std::string(50, 'a');
  deep += "/" + std::string(255 - deep.size() - 1, 'b');
  ASSERT_EQ(deep.size(), 255u);
  fs::create_directories(deep);
  fs::current_path(deep);
  cd = get_current_dir();
  EXPECT_EQ(cd.folder, deep);
  EXPECT_EQ(cd.length, 255);
  EXPECT_EQ(cd.status, 0);

  fs::create_directory("c");
  fs::current_path("c");
  cd = get_current_dir();
  EXPECT_EQ(cd.folder, std::string(255, ' '));
  EXPECT_EQ(cd.length, 256);
  EXPECT_EQ(cd.status, 1);
  fs::current_path(old);
}

}  // namespace
}  // namespace quarn::testing
