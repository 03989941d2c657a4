#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/files.hpp"
#include "platform/version_info.hpp"
#include "quarn/quarn-m.h"
#include "system_fixture.hpp"

namespace quarn::testing {
namespace {

// The fixtures (tests/data/version, made by make-fixtures.sh from the .rc files there),
// copied to a short folder so that their paths fit the 50-character file name.
class VersionString : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"plain", "plain32", "utf8", "notrans", "big"})
      fs::copy_file(std::string(QUARN_TEST_DATA) + "/version/" + name + ".dll",
                    folder_ / (std::string(name) + ".dll"));
  }
  std::string file(const std::string& name) const { return folder_ / (name + ".dll"); }

  ScratchFolder folder_;
};

std::string get(const std::string& file, const std::string& name) {
  QuarnRsResult result;
  QuarnRsFileName file_name;
  QuarnRsStringName string_name;
  std::memset(&result, 'z', sizeof result);
  std::memset(&file_name, ' ', sizeof file_name);
  std::memset(&string_name, ' ', sizeof string_name);
  std::memcpy(file_name.rs_file_name, file.data(), std::min(file.size(), std::size_t{50}));
  std::memcpy(string_name.rs_string_name, name.data(), std::min(name.size(), std::size_t{20}));
  void* returned = QUARN_GETRESOURCESTRING(&result, &file_name, &string_name);
  EXPECT_EQ(returned, &result);
  return std::string(result.rs_result, sizeof result.rs_result);
}

std::string padded(const std::string& text) {
  return text + std::string(100 - text.size(), ' ');
}

TEST_F(VersionString, StringsOfTheFirstTranslation) {
  EXPECT_EQ(get(file("plain"), "ProductVersion"), padded("2.1.0.7"));
  EXPECT_EQ(get(file("plain32"), "ProductVersion"), padded("2.1.0.7")) << "a 32-bit file";
  EXPECT_EQ(get(file("plain"), "FileVersion"), padded("2.1.0.7 (test)"));
  EXPECT_EQ(get(file("plain"), "productversion"), padded("2.1.0.7")) << "keys ignore case";
  EXPECT_EQ(get(file("plain"), "CompanyName extra"), padded("Quarn Test Builds"))
      << "the name ends at its first space";
  // 120 characters are cut to 99.
  EXPECT_EQ(get(file("plain"), "Comments"), padded(std::string(99, 'L')));
  EXPECT_EQ(get(file("plain"), "Empty"), padded(""));
  // Code page 65001 is 0xFDE9: above 0x7FFF, and the table's key is in lower case.
  EXPECT_EQ(get(file("utf8"), "ProductVersion"), padded("3.0"));
}

TEST_F(VersionString, NothingToReadGivesSpaces) {
  EXPECT_EQ(get(file("plain"), "NoSuchString"), padded(""));
  EXPECT_EQ(get(folder_ / "missing.dll", "ProductVersion"), padded(""));
  EXPECT_EQ(get(file("notrans"), "ProductVersion"), padded(""));
  EXPECT_EQ(get(folder_.path().string(), "ProductVersion"), padded("")) << "a folder";
  write_file(folder_ / "text.dll", "MZ but nothing more");
  EXPECT_EQ(get(folder_ / "text.dll", "ProductVersion"), padded(""));
  EXPECT_EQ(get("", "ProductVersion"), padded(""));
}

TEST_F(VersionString, OnlyTheFirst4096BytesAreRead) {
  ASSERT_GT(platform::version_info::block_size(file("big")), 4096u);
  EXPECT_EQ(get(file("big"), "ProductVersion"), padded("4.4"));
  EXPECT_EQ(get(file("big"), "Filler01"), padded(std::string(40, 'x')));
  EXPECT_EQ(get(file("big"), "LateString"), padded(""));
  // The whole block has it.
  std::string block(platform::version_info::block_size(file("big")), '\0');
  ASSERT_TRUE(platform::version_info::read_block(file("big"), block));
  const auto late = platform::version_info::query(block, "\\StringFileInfo\\040904B0\\LateString");
  EXPECT_TRUE(late.found);
  EXPECT_EQ(late.bytes, "too far");
}

TEST_F(VersionString, LargeFileIsReadOnlyWhereNeeded) {
  // 300 MB, sparse: the version resource near its start is found all the same.
  fs::copy_file(file("plain"), folder_ / "large.dll");
  fs::resize_file(folder_ / "large.dll", 300u * 1024 * 1024);
  EXPECT_EQ(get(folder_ / "large.dll", "ProductVersion"), padded("2.1.0.7"));
  // Cut inside the version block: the rest is read as far as the file goes; the
  // translation table, after the cut, is missing.
  const std::string plain = read_file(file("plain"));
  const std::size_t at = plain.find(std::string("C\0o\0m\0m\0e\0n\0t\0s\0", 16));
  ASSERT_NE(at, std::string::npos);
  write_file(folder_ / "cut.dll", plain.substr(0, at));
  EXPECT_EQ(get(folder_ / "cut.dll", "FileVersion"), padded(""));
}

TEST_F(VersionString, FileNameOfFiftyCharacters) {
  std::string name = folder_.path().string() + "/";
  name += std::string(50 - name.size() - 4, 'n') + ".dll";
  ASSERT_EQ(name.size(), 50u);
  fs::copy_file(file("plain"), name);
  EXPECT_EQ(get(name, "ProductVersion"), padded("2.1.0.7"));
}

}  // namespace
}  // namespace quarn::testing
