// POP's pictures and the hand-over of a closed document to the viewer or printer.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "docout/pop_fixture.hpp"
#include "docout/qim.hpp"

namespace quarn::testing {
namespace {

// The head of a PNG of 2 by 3 pixels: enough for its properties.
const std::string kPng =
    std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x03\x08\x02\0\0\0", 29) +
    std::string(70, '\x5a');

// A JPEG start with an APP0 segment, then a baseline frame of 640 by 480.
const std::string kJpeg = std::string(
    "\xFF\xD8\xFF\xE0\x00\x04\x4A\x46\xFF\xC0\x00\x11\x08\x01\xE0"
    "\x02\x80\x03",
    18);

TEST(Qim, PropertiesComeFromThePicturesOwnHeader) {
  docout::qim::Properties p;
  ASSERT_TRUE(docout::qim::picture_properties(kPng, &p));
  EXPECT_EQ(p.width, 2u);
  EXPECT_EQ(p.height, 3u);
  EXPECT_EQ(p.type, docout::qim::Type::kPng);
  ASSERT_TRUE(docout::qim::picture_properties(kJpeg, &p));
  EXPECT_EQ(p.width, 640u);
  EXPECT_EQ(p.height, 480u);
  EXPECT_EQ(p.type, docout::qim::Type::kJpeg);
  EXPECT_FALSE(docout::qim::picture_properties("GIF89a", &p));
  EXPECT_FALSE(docout::qim::picture_properties(kJpeg.substr(0, 12), &p));
}

TEST(Qim, MakeAndReadRoundTrip) {
  TempFolder folder;
  std::string qim;
  ASSERT_TRUE(docout::qim::make(kPng, &qim));
  EXPECT_EQ(qim.substr(0, 129), pad("QIM00", 128) + "\n");
  EXPECT_EQ(qim.substr(129, 129), pad("000002 000003 PNG", 128) + "\n");
  std::ofstream(folder / "p.qim") << qim;
  docout::qim::Picture picture;
  ASSERT_EQ(docout::qim::read(folder / "p.qim", &picture), docout::qim::ReadStatus::kOk);
  EXPECT_EQ(picture.hex_records.size(), 2u) << "99 bytes: 64 and 35";
  EXPECT_EQ(docout::qim::decode(picture), kPng);
}

TEST(Qim, TheVersionIsTheFirstFiveCharactersOfRecordOne) {
  TempFolder folder;
  std::string qim;
  ASSERT_TRUE(docout::qim::make(kPng, &qim));
  const std::pair<std::string, docout::qim::ReadStatus> cases[] = {
      {"QIM00 made by the scanner", docout::qim::ReadStatus::kOk},
      {"QIM01", docout::qim::ReadStatus::kNotQim},
      {"QIM0", docout::qim::ReadStatus::kNotQim},
  };
  for (const auto& [version, status] : cases) {
    std::ofstream(folder / "v.qim") << pad(version, 128) + qim.substr(128);
    docout::qim::Picture picture;
    EXPECT_EQ(docout::qim::read(folder / "v.qim", &picture), status) << version;
  }
}

class PictureTest : public PopTest {
 protected:
  void SetUp() override {
    PopTest::SetUp();
    ASSERT_EQ(request("INI"), "00");
    rec.pop_header_style[0] = 'H';
    frame::put_text(rec.pop_picture_x, "0100");
    frame::put_text(rec.pop_picture_y, "0200");
    frame::put_text(rec.pop_picture_type, "");
  }
  void picture_file(const std::string& name, const std::string& bytes) {
    std::ofstream(home + name, std::ios::binary) << bytes;
    frame::put_text(rec.pop_picture_file, home + name);
  }
};

TEST_F(PictureTest, PictureIsAPositionedFrameWithItsHexData) {
  std::string qim;
  ASSERT_TRUE(docout::qim::make(kPng, &qim));
  picture_file("logo.qim", qim);
  ASSERT_EQ(request("PIC"), "00");
  ASSERT_EQ(request("CLS"), "00");
  docout::qim::Picture picture;
  ASSERT_EQ(docout::qim::read(home + "logo.qim", &picture), docout::qim::ReadStatus::kOk);
  EXPECT_EQ(contents(print_file()),
            kPortraitStart + "{\\pard \\pvpg\\phpg \\posx1440 \\posy2880\r\n" +
                "{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picwgoal30\\pichgoal45"
                "\\pngblip\r\n" +
                picture.hex_records[0] + "\r\n" + picture.hex_records[1] + "\r\n" +
                "}}\\par}\r\n}\r\n");
}

TEST_F(PictureTest, PictureTypeOfTheRequest) {
  std::string qim;
  ASSERT_TRUE(docout::qim::make(kJpeg, &qim));
  picture_file("photo.qim", qim);
  ASSERT_EQ(request("PIC"), "00");
  frame::put_text(rec.pop_picture_type, "JPEG");
  ASSERT_EQ(request("PIC"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string doc = contents(print_file());
  const std::string words = "\\picwgoal9600\\pichgoal7200\\jpegblip\r\n";
  const std::size_t first = doc.find(words);
  ASSERT_NE(first, std::string::npos) << doc;
  EXPECT_NE(doc.find(words, first + 1), std::string::npos);
}

TEST_F(PictureTest, PictureFailures) {
  struct Case {
    std::string file;
    std::string contents;
    std::string status;
    std::string message;
  };
  const Case cases[] = {
      {"", "", "91", "ERROR: QUARN Image file name missing!"},
      {"missing.qim", "-", "XX",
       "ERROR opening QUARN Image file! Filename=" + home + "missing.qim"},
      {"bad.qim", "JPEG DATA\n", "XX", "ERROR invalid QUARN Image file."},
      {"props.qim", "QIM00\nwide high\n", "XX", "ERROR reading QUARN Image file properties!"},
      {"data.qim", "QIM00\n000001 000001 PNG\nGG\n", "XX", "ERROR invalid QUARN Image file."},
  };
  for (const Case& c : cases) {
    if (c.contents != "-") picture_file(c.file, c.contents);
    frame::put_text(rec.pop_picture_file, c.file.empty() ? "" : home + c.file);
    EXPECT_EQ(request("PIC"), c.status) << c.file;
    EXPECT_EQ(message(), c.message);
  }
  EXPECT_EQ(log.messages.size(), std::size(cases));
}

#ifdef QUARN_TEST_RECORDER
class HandOverTest : public PopTest {
 protected:
  void SetUp() override {
    PopTest::SetUp();
    record = folder / "record.txt";
    setenv("QUARN_RECORD_FILE", record.c_str(), 1);
    std::ofstream(home + "quarn-programs.map") << "zuvarezo.exe = " QUARN_TEST_RECORDER "\n";
  }
  void TearDown() override {
    unsetenv("QUARN_RECORD_FILE");
    PopTest::TearDown();
  }
  // The arguments the recorder was started with.
  std::string recorded() {
    for (int i = 0; i < 500; ++i) {
      const std::string text = contents(record);
      if (text.ends_with("end\n")) {
        std::filesystem::remove(record);
        return text;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(not started)";
  }
  std::string document(std::string_view close) {
    EXPECT_EQ(request("INI"), "00");
    EXPECT_EQ(request("SEC"), "00");
    return request(close);
  }

  std::string record;
};

TEST_F(HandOverTest, PreviewAndPrintWithTheSuitesViewer) {
  ASSERT_EQ(document("CLV"), "00");
  EXPECT_EQ(setting("GetUserStationControl", "POP-RTF-PROCESSOR"), home + "Viewer\\zuvarezo.exe");
  EXPECT_EQ(recorded(), "[" + home + "PRINT.rtf]\nend\n");
  // Printing: "/p" run together with the quoted name.
  ASSERT_EQ(document("CLP"), "00");
  EXPECT_EQ(recorded(), "[/p" + home + "PRINTA.rtf]\nend\n");
}

// The default viewer is stored quoted when the home folder holds a space, so that the
// folder does not split its path; a folder with a quote cannot name a program at all.
TEST_F(HandOverTest, AHomeFolderWithSpacesOrQuotesNeverSplitsTheViewer) {
  const std::string spaced = home + "a b/";
  std::filesystem::create_directories(spaced);
  std::ofstream(spaced + "quarn-programs.map") << "zuvarezo.exe = " QUARN_TEST_RECORDER "\n";
  std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
  std::memcpy(misc->xm_home_folder, spaced.data(), spaced.size());
  ASSERT_EQ(document("CLV"), "00");
  EXPECT_EQ(setting("GetUserStationControl", "POP-RTF-PROCESSOR"),
            "\"" + spaced + "Viewer\\zuvarezo.exe\"");
  EXPECT_EQ(recorded(), "[" + spaced + "PRINT.rtf]\nend\n");
  ASSERT_EQ(document("CLP"), "00");
  EXPECT_EQ(recorded(), "[/p" + spaced + "PRINTA.rtf]\nend\n") << "still the suite's viewer";

  setting("SaveUserStationControl", "POP-RTF-PROCESSOR", " ");
  const std::string quoted = home + "q\" b/";
  std::filesystem::create_directories(quoted);
  std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
  std::memcpy(misc->xm_home_folder, quoted.data(), quoted.size());
  EXPECT_EQ(document("CLV"), "XX");
  EXPECT_EQ(message(), "--Unable to start RTF print/preview program. | Viewer=" + quoted +
                           "Viewer\\zuvarezo.exe|");
  EXPECT_EQ(setting("GetUserStationControl", "POP-RTF-PROCESSOR"), "") << "nothing stored";
}

TEST_F(HandOverTest, PrintWithAnotherProgramAndAProgramThatDoesNotStart) {
  setting("SaveUserStationControl", "POP-RTF-PROCESSOR", QUARN_TEST_RECORDER);
  ASSERT_EQ(document("CLP"), "00");
  EXPECT_EQ(recorded(), "[/p]\n[" + home + "PRINT.rtf]\nend\n");

  const std::string missing = home + "no-such-viewer";
  setting("SaveUserStationControl", "POP-RTF-PROCESSOR", missing);
  EXPECT_EQ(document("CLV"), "XX");
  EXPECT_EQ(message(), "--Unable to start RTF print/preview program. | Viewer=" + missing + " \"" +
                           home + "PRINTA.rtf\"|");
  EXPECT_EQ(document("CLP"), "XX");
  EXPECT_EQ(message(), "--Unable to start RTF print/preview program. | Printer=" + missing +
                           " /p \"" + home + "PRINTB.rtf\"|");
  EXPECT_TRUE(std::filesystem::exists(home + "PRINTB.rtf")) << "the document itself is kept";
}
#endif

}  // namespace
}  // namespace quarn::testing
