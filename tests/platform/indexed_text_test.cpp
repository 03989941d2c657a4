#include "platform/indexed_text.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/lineseq.hpp"
#include "support/file_contents.hpp"
#include "support/interrupted_update.hpp"
#include "support/temp_folder.hpp"

namespace quarn::platform {
namespace {

// Records of 10 bytes, the key their first 3.
constexpr IndexedLayout kLayout{10, 0, 3};

class IndexedTextTest : public ::testing::Test {
 protected:
  std::string write_text(const std::string& text) {
    const std::string name = folder / "in.txt";
    std::ofstream(name, std::ios::binary) << text;
    return name;
  }
  std::string exported() {
    const std::string out = folder / "out.txt";
    EXPECT_EQ(export_text(file, kLayout, out), "");
    return testing::file_contents(out);
  }

  testing::TempFolder folder;
  std::string file = folder / "data.idx";
};

TEST_F(IndexedTextTest, LinesBecomeRecordsInKeyOrderAndComeBackFixedLength) {
  // Out of order, CRLF and LF, a short line, an empty line, no line end at the end.
  EXPECT_EQ(import_text(file, kLayout, write_text("BBBtwo   X\r\nAAAone\n\nCCCthree Z")), "");
  EXPECT_EQ(exported(), "AAAone    \nBBBtwo   X\nCCCthree Z\n");
}

TEST_F(IndexedTextTest, ABadLineLeavesTheExistingFileAsItWas) {
  ASSERT_EQ(import_text(file, kLayout, write_text("AAAkept\n")), "");
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"BBBnew\nCCCfar too long\n", "line 2 has 15 characters, more than the record's 10"},
      {"BBBnew\nBBBagain\n", "line 2 repeats the key 'BBB'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(import_text(file, kLayout, write_text(c.text)), c.error);
    EXPECT_EQ(exported(), "AAAkept   \n");
    EXPECT_FALSE(std::filesystem::exists(file + ".import"));
  }
  // A good import replaces the file whole.
  EXPECT_EQ(import_text(file, kLayout, write_text("ZZZnew\n")), "");
  EXPECT_EQ(exported(), "ZZZnew    \n");
}

TEST_F(IndexedTextTest, FilesThatCannotBeUsedAreNamed) {
  EXPECT_EQ(import_text(file, kLayout, folder / "none.txt"),
            "cannot open " + (folder / "none.txt") + " (status 35)");
  EXPECT_EQ(export_text(file, kLayout, folder / "out.txt"), "cannot open " + file + " (status 35)");
  ASSERT_EQ(import_text(file, kLayout, write_text("AAA\n")), "");
  EXPECT_EQ(export_text(file, {10, 0, 4}, folder / "out.txt"),
            "cannot open " + file + " (status 39)");
}

TEST_F(IndexedTextTest, ARecordHoldingALineEndIsNotExported) {
  IndexedFile data(kLayout);
  ASSERT_EQ(data.open(file, OpenMode::kOutput), status::kOk);
  ASSERT_EQ(data.write(std::string("A\x01"
                                   "Cline\nen")),
            status::kOk);
  data.close();
  // A text of an earlier export is still there afterwards, whole.
  const std::string out = folder / "out.txt";
  std::ofstream(out) << "AAAearlier\n";
  EXPECT_EQ(export_text(file, kLayout, out), "the record with key 'A\\x01C' holds a line end");
  EXPECT_EQ(testing::file_contents(out), "AAAearlier\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2)
      << "nothing is left beside the files";
}

// Records long enough that an update spans many pages of the file.
constexpr IndexedLayout kWideLayout{200, 0, 8};

// `count` lines: keys 00000000, 00000001 ..., then `value`, padded to `width` when given.
std::string numbered_lines(int count, const std::string& value, std::size_t width = 0) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    std::string line = std::string(8 - number.size(), '0') + number + value;
    if (width > 0) line.resize(width, ' ');
    text += line + "\n";
  }
  return text;
}

TEST_F(IndexedTextTest, ImportOverAFileLeftByAKilledUpdateKeepsTheNewRecordsOnly) {
  ASSERT_EQ(import_text(file, kWideLayout, write_text(numbered_lines(400, "old"))), "");
  testing::leave_interrupted_update(file);
  ASSERT_EQ(import_text(file, kWideLayout, write_text(numbered_lines(150, "new"))), "");
  EXPECT_FALSE(std::filesystem::exists(file + "-journal")) << "no journal beside the new file";
  {
    // A writer's open recovers any journal it meets; the new file must come through it whole.
    IndexedFile writer(kWideLayout);
    ASSERT_EQ(writer.open(file, OpenMode::kInputOutput), status::kOk);
  }
  const std::string out = folder / "out.txt";
  ASSERT_EQ(export_text(file, kWideLayout, out), "");
  EXPECT_EQ(testing::file_contents(out), numbered_lines(150, "new", kWideLayout.record_length));
}

// An empty text, or lengths the file was not made with, never replace a full file.
TEST_F(IndexedTextTest, AnEmptyTextOrOtherLengthsLeaveAFullFileAsItWas) {
  ASSERT_EQ(import_text(file, kLayout, write_text("AAAone\nBBBtwo\n")), "");
  const struct {
    const char* text;
    IndexedLayout layout;
    std::string error;
  } cases[] = {
      {"", kLayout, "the text holds no records: " + file + " is left as it was"},
      {"\n\r\n\n", kLayout, "the text holds no records: " + file + " is left as it was"},
      {"AAAnew\n", {12, 0, 3}, "cannot open " + file + " (status 39)"},
      {"AAAnew\n", {10, 0, 4}, "cannot open " + file + " (status 39)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(import_text(file, c.layout, write_text(c.text)), c.error);
    EXPECT_EQ(exported(), "AAAone    \nBBBtwo    \n");
  }
  // Asked for, an empty text empties the file; a new file needs a record too.
  EXPECT_EQ(import_text(file, kLayout, write_text(""), true), "");
  EXPECT_EQ(exported(), "");
  const std::string fresh = folder / "fresh.idx";
  EXPECT_NE(import_text(fresh, kLayout, write_text("")), "");
  EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST(LineWriterTest, ModesAndFailuresGiveTheirStatuses) {
  testing::TempFolder folder;
  const std::string log = folder / "log.txt";
  lineseq::LineWriter writer;
  ASSERT_EQ(writer.open(log, lineseq::WriteMode::kNew), status::kOk);
  ASSERT_EQ(writer.write("one"), status::kOk);
  ASSERT_EQ(writer.close(), status::kOk);
  EXPECT_EQ(writer.open(log, lineseq::WriteMode::kNew), status::kNotPermitted)
      << "a new file never replaces one";
  ASSERT_EQ(writer.open(log, lineseq::WriteMode::kExtend), status::kOk);
  ASSERT_EQ(writer.write("two"), status::kOk);
  ASSERT_EQ(writer.close(), status::kOk);

  lineseq::LineReader reader;
  ASSERT_EQ(reader.open(log), status::kOk);
  std::string line;
  EXPECT_EQ(reader.read(line), status::kOk);
  EXPECT_EQ(line, "one");
  EXPECT_EQ(reader.read(line), status::kOk);
  EXPECT_EQ(line, "two");
  EXPECT_EQ(reader.read(line), status::kAtEnd);

  EXPECT_EQ(writer.open(folder / "no/such/log", lineseq::WriteMode::kExtend), status::kMissing);
  EXPECT_EQ(writer.open("/dev/null", lineseq::WriteMode::kExtend), status::kNotPermitted)
      << "the library's own files are regular files";
  if (std::filesystem::exists("/dev/full")) {
    ASSERT_EQ(writer.open("/dev/full", lineseq::WriteMode::kExtend, lineseq::Target::kAny),
              status::kOk);
    EXPECT_EQ(writer.write("lost"), status::kOk) << "held in the buffer";
    EXPECT_EQ(writer.flush(), status::kFull);
    EXPECT_EQ(writer.write("more"), status::kFull) << "a failure stays";
    EXPECT_EQ(writer.close(), status::kFull);
  }
}

}  // namespace
}  // namespace quarn::platform
