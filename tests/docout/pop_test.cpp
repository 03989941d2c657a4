// POP: requests, the document skeleton, print files, messages and the hand-over.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <thread>

#include "platform/registry.hpp"

#include "docout/pop_fixture.hpp"

namespace quarn::testing {
namespace {

TEST_F(PopTest, RequestsBeforeIniAndWithoutAFormFail) {
  EXPECT_EQ(request("WRI"), "XX");
  EXPECT_EQ(message(), "--Uninitialized data area.|");
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, "CHQREG:POP");
  EXPECT_EQ(log.messages[0].text, "--Uninitialized data area.|");

  ASSERT_EQ(request("INI"), "00");
  frame::put_text(rec.pop_request, "WRI");
  QUARN_POP(&rec, &caller, nullptr);
  EXPECT_EQ(std::string(rec.pop_status, 2), "XX");
  EXPECT_EQ(message(), "--Caller did not provide a form. |");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0) << "nothing is started without a form";

  EXPECT_EQ(request("ZZZ"), "XX");
  EXPECT_EQ(message(), "--Unknown request code \"ZZZ\".|");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
}

TEST_F(PopTest, IniSetsTheDefaultsAndKeepsPictureFieldsAndMessage) {
  frame::put_text(rec.pop_picture_file, "logo.qim");
  frame::put_text(rec.pop_message_text, "earlier");
  ASSERT_EQ(request("INI"), "00");
  const auto text = [](const auto& field) { return std::string(field, sizeof field); };
  EXPECT_EQ(text(rec.pop_reserved), std::string(10, ' '));
  EXPECT_EQ(text(rec.pop_output_kind), "P");
  EXPECT_EQ(text(rec.pop_body_font), font_field("110"));
  EXPECT_EQ(text(rec.pop_paper_width) + text(rec.pop_paper_height), "08501100");
  EXPECT_EQ(text(rec.pop_left_margin) + text(rec.pop_bottom_margin), "00500050");
  EXPECT_EQ(text(rec.pop_heading_font_3), font_field("012B"));
  EXPECT_EQ(text(rec.pop_small_font), font_field("008"));
  EXPECT_EQ(text(rec.pop_second_body_font), font_field("010"));
  EXPECT_EQ(text(rec.pop_starting_page), "00000");
  EXPECT_EQ(text(rec.pop_line_layout), std::string(512, ' '));
  EXPECT_EQ(text(rec.pop_message_switch) + text(rec.pop_cancel_switch), "NN");
  EXPECT_EQ(text(rec.pop_header_style), "B");
  EXPECT_EQ(text(rec.pop_marker) + text(rec.pop_marker_end), "COKY ");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
  EXPECT_EQ(text(rec.pop_picture_x), "xxxx") << "the picture fields are the caller's";
  EXPECT_EQ(std::string(frame::trimmed(rec.pop_picture_file)), "logo.qim");
  EXPECT_EQ(message(), "earlier");
  EXPECT_EQ(std::string(rec.pop_filler_2, 8), std::string(8, ' '));
  EXPECT_TRUE(log.messages.empty());
}

TEST_F(PopTest, DocumentWithIniDefaults) {
  ASSERT_EQ(request("INI"), "00");
  line("Hello\x03");
  ASSERT_EQ(request("WRI"), "00");
  EXPECT_EQ(print_file(), home + "PRINT.rtf");
  EXPECT_EQ(std::string(rec.pop_paper_width_twips, 5), "12240");
  EXPECT_EQ(std::string(rec.pop_left_margin_twips, 5), "00720");
  ASSERT_EQ(request("CLS"), "00");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
  EXPECT_EQ(contents(home + "PRINT.rtf"), kPortraitStart + kStandardHeader +
                                              "\\pard \\plain\\plain \\f1\\fs020 Hello\\par\r\n"
                                              "}\r\n");
}

TEST_F(PopTest, AHandleOfNoOpenFileStartsANewDocument) {
  ASSERT_EQ(request("INI"), "00");
  ASSERT_EQ(request("SEC"), "00");
  ASSERT_EQ(request("CLS"), "00");
  // A record kept from elsewhere: its handle names no file open here.
  frame::write_be32(rec.pop_file_handle, 99);
  line("Kept\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  EXPECT_EQ(print_file(), home + "PRINTA.rtf");
  EXPECT_NE(contents(home + "PRINTA.rtf").find("Kept\\par\r\n}\r\n"), std::string::npos);
}

TEST_F(PopTest, LandscapeExchangesWidthAndHeightEverywhere) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_orientation[0] = 'L';
  rec.pop_header_style[0] = 'H';
  rec.pop_section_break[0] = '9';
  frame::put_text(rec.pop_starting_page, "00005");
  rec.pop_header_page[0] = '1';
  ASSERT_EQ(request("SEC"), "00");
  ASSERT_EQ(request("SEC"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string section =
      "\\pgnstarts00005\\pgnrestart\\pgwsxn15840\\pghsxn12240\\titlepg"
      "\\lndscpsxn\r\n"
      "\\marglsxn00720\\margrsxn00720\\margtsxn00720\\margbsxn00720\\headery00720"
      "\\footery00720\r\n";
  const std::string doc = contents(print_file());
  EXPECT_NE(doc.find("\\paperw15840\\paperh12240\\pgw15840\\pgh12240\\lndscp\\margl"),
            std::string::npos)
      << doc;
  // The first SEC is the section the document starts with; the second starts a new one,
  // here on a new page (section break "9": no \sbknone).
  EXPECT_NE(doc.find("\r\n\\sectd" + section + "\\sect\\sectd" + section + "}\r\n"),
            std::string::npos)
      << doc;
  EXPECT_EQ(doc.find("{\\header"), std::string::npos) << "header-page switch 1: no standard header";
}

TEST_F(PopTest, CallerHeadersAndFooters) {
  const std::pair<std::string, std::string> cases[] = {{"WHD", "{\\header \\pard \\plain "},
                                                       {"WH1", "{\\headerf \\pard \\plain "},
                                                       {"WFT", "{\\footer \\pard\\plain "},
                                                       {"WF1", "{\\footerf \\pard\\plain "}};
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  for (const auto& [code, opening] : cases) {
    layout(
        "\x15"
        "0300R     \x03");
    line(
        "\x13"
        "12\x03");
    ASSERT_EQ(request(code), "00") << code;
  }
  ASSERT_EQ(request("CLS"), "00");
  std::string expected;
  for (const auto& [code, opening] : cases)
    expected += opening + "\\tqr\\tx4320\\plain \\f1\\fs020 \\qr 12\\par}\r\n";
  EXPECT_EQ(contents(print_file()), kPortraitStart + expected + "}\r\n");
  EXPECT_TRUE(log.messages.empty());
}

TEST_F(PopTest, PlainLineOptionsAndTheDelimitedLayout) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  ASSERT_EQ(request("SEC"), "00");
  layout(
      "\x15"
      "0150L     \x03");
  line("1\t2\x03");
  ASSERT_EQ(request("WRI"), "00");
  rec.pop_header_style[0] = 'B';
  rec.pop_line_spacing_switch[0] = 'Y';
  frame::put_text(rec.pop_line_spacing, "12");
  rec.pop_page_break_before[0] = '1';
  frame::put_text(rec.pop_spacing_before, "0120");
  rec.pop_keep_with_next[0] = 'Y';
  layout("\x03");
  line("Next\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("PAG"), "00");
  ASSERT_EQ(request("CLS"), "00");
  EXPECT_EQ(contents(print_file()),
            kPortraitStart +
                "\\pard \\plain \\tx2160\\plain \\f1\\fs020 1\\tab 2\\par\r\n"
                "\\pard \\sl-12\\slmult0 \\pagebb\\sb120\\keepn\\plain\\plain \\f1\\fs020 Next"
                "\\par\r\n"
                "\\plain \\pard \\page\\par\r\n"
                "}\r\n");
}

TEST_F(PopTest, TableRowsWithHeadingsPagesAndTheWayOut) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  const std::string cells =
      "\x16"
      "01001111      \x16"
      "0200          \x03";
  frame::put_text(rec.pop_header_row_layout, cells);
  frame::put_text(rec.pop_header_row_text, "Name\tAmount\x03");
  frame::put_text(rec.pop_row_layout, cells);
  rec.pop_line_mode[0] = 'C';
  line("Ann\t5\x03");
  ASSERT_EQ(request("WRI"), "00");
  line("Bob\t");  // no end mark: the row stays open
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("PAG"), "00");
  line("Cy\t7\x03");
  ASSERT_EQ(request("WRI"), "00");
  rec.pop_line_mode[0] = ' ';
  line("After\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string cell_words =
      "\\clbrdrt\\brdrw5\\brdrs\\clbrdrl\\brdrw5\\brdrs\\clbrdrb\\brdrw5\\brdrs\\clbrdrr\\brdrw5"
      "\\brdrs\\cellx1440 \\cellx2880 ";
  const std::string heading = "\\trowd" + cell_words + "\\pard \\plain \\intbl \\trhdr \\pard " +
                              "\\intbl\\plain \\f1\\fs020 Name\\cell \\pard \\intbl Amount\\cell "
                              "\\row\r\n";
  EXPECT_EQ(
      contents(print_file()),
      kPortraitStart + heading + "\\trowd" + cell_words +
          "\\plain\\pard \\intbl\\plain \\f1\\fs020 Ann\\cell \\pard \\intbl 5\\cell \\row\r\n"
          "\\trowd" +
          cell_words +
          "\\plain\\pard \\intbl\\plain \\f1\\fs020 Bob\\cell \r\n"
          "\\pard \\plain \\intbl\\cell\\row\\plain \\pard \\page\\par\r\n" +
          heading + "\\trowd" + cell_words +
          "\\plain\\pard \\intbl\\plain \\f1\\fs020 Cy\\cell \\pard \\intbl 7\\cell \\row\r\n"
          "\\plain \\par\\pard \\plain \\plain \\f1\\fs020 After\\par\r\n"
          "}\r\n");
}

// "\plain" drops the font, so the text after a paragraph's or a heading row's "\plain"
// selects its font again even when the line before (without an end mark) left it chosen.
TEST_F(PopTest, TextAfterPlainSelectsItsFontAgain) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = ' ';
  layout("\x03");
  line("z");
  ASSERT_EQ(request("WRI"), "00");
  line("w\x03");
  ASSERT_EQ(request("WRI"), "00");
  line("y");
  ASSERT_EQ(request("WRI"), "00");
  frame::put_text(rec.pop_header_row_layout,
                  "\x16"
                  "0100          \x03");
  frame::put_text(rec.pop_row_layout,
                  "\x16"
                  "0100          \x03");
  frame::put_text(rec.pop_header_row_text, "Name\x03");
  rec.pop_line_mode[0] = 'C';
  line("Ann\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string doc = contents(print_file());
  EXPECT_NE(doc.find("\\pard \\plain \\plain \\f1\\fs020 z\r\n"
                     "\\pard \\plain \\plain \\f1\\fs020 w\\par\r\n"),
            std::string::npos)
      << doc;
  EXPECT_NE(doc.find("\\pard \\plain \\intbl \\trhdr \\pard \\intbl\\plain \\f1\\fs020 Name"),
            std::string::npos)
      << doc;
}

// Rows open with "\trowd" and close with "\row"; a row opened inside another is broken rich
// text whose cells readers lose.
int count_of(const std::string& doc, std::string_view word) {
  int n = 0;
  for (std::size_t at = doc.find(word); at != std::string::npos; at = doc.find(word, at + 1))
    ++n;
  return n;
}

TEST_F(PopTest, AHeadingRowWithoutEndMarkGoesOnInTheNextLine) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  const std::string cells =
      "\x16"
      "0100 1 1      \x16"
      "0200 1 1      \x03";
  frame::put_text(rec.pop_header_row_layout, cells);
  frame::put_text(rec.pop_row_layout, cells);
  frame::put_text(rec.pop_header_row_text, "Name\t");  // no end mark
  rec.pop_line_mode[0] = 'C';
  line("Ann\t5\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string doc = contents(print_file());
  EXPECT_EQ(count_of(doc, "\\trowd"), 1) << "the body line goes on in the heading row";
  EXPECT_EQ(count_of(doc, "\\row\r\n"), 1);
}

TEST_F(PopTest, RotationKeepsThreeFilesAndReusesTheLeastRecentlyUsed) {
  for (const std::string setting_value : {"0", "27", "x"}) {
    docout::reset_process_state();
    setting("SaveUserStationControl", "POP-MAX-PRINT-FILES", setting_value);
    std::vector<std::string> names;
    for (int doc = 0; doc < 4; ++doc) {
      ASSERT_EQ(request("INI"), "00");
      line("Document " + std::to_string(doc) + "\x03");
      ASSERT_EQ(request("WRI"), "00");
      ASSERT_EQ(request("CLS"), "00");
      names.push_back(print_file());
    }
    EXPECT_EQ(names, (std::vector<std::string>{home + "PRINT.rtf", home + "PRINTA.rtf",
                                               home + "PRINTB.rtf", home + "PRINT.rtf"}))
        << setting_value;
    EXPECT_EQ(setting("GetUserStationControl", "POP-MAX-PRINT-FILES"), "3") << setting_value;
    EXPECT_NE(contents(home + "PRINT.rtf").find("Document\\~3"), std::string::npos);
    EXPECT_NE(contents(home + "PRINTA.rtf").find("Document\\~1"), std::string::npos);
  }
  // Kind "D" with 26 files: the 26th is dPDFY.rtf.
  docout::reset_process_state();
  setting("SaveUserStationControl", "POP-MAX-PRINT-FILES", "26");
  for (int doc = 0; doc < 26; ++doc) {
    ASSERT_EQ(request("INI"), "00");
    rec.pop_output_kind[0] = 'D';
    ASSERT_EQ(request("SEC"), "00");
    ASSERT_EQ(request("CLS"), "00");
  }
  EXPECT_EQ(print_file(), home + "dPDFY.rtf");
}

TEST_F(PopTest, PurgeRemovesThePrintFilesOfItsKindOnly) {
  for (const char* name : {"PRINT.rtf", "PRINTA.rtf", "PRINTZ.rtf", "TEMP.rtf", "PRINTAA.rtf"})
    std::ofstream(home + name) << "x";
  ASSERT_EQ(request("INI"), "00");
  ASSERT_EQ(request("PPF"), "00");
  EXPECT_FALSE(std::filesystem::exists(home + "PRINT.rtf"));
  EXPECT_FALSE(std::filesystem::exists(home + "PRINTA.rtf"));
  EXPECT_FALSE(std::filesystem::exists(home + "PRINTZ.rtf"));
  EXPECT_TRUE(std::filesystem::exists(home + "TEMP.rtf"));
  EXPECT_TRUE(std::filesystem::exists(home + "PRINTAA.rtf"));
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0) << "PPF starts no document";
}

TEST_F(PopTest, FilesThatCannotBeDeletedFailAndAreLeftAlone) {
  for (const char* name : {"PRINT.rtf", "PRINTA.rtf", "PRINTB.rtf"})
    std::ofstream(home + name) << "earlier document";
  platform::files::syscalls().unlink = [](const char*) {
    errno = EBUSY;
    return -1;
  };
  ASSERT_EQ(request("INI"), "00");
  EXPECT_EQ(request("WRI"), "XX");
  EXPECT_EQ(message(),
            "--Error deleting old print file. File may be open in another application or the "
            "viewer. |" +
                home + "PRINT.rtf");
  EXPECT_EQ(contents(home + "PRINT.rtf"), "earlier document");
  ASSERT_EQ(log.messages.size(), 1u);
  // With the message switch set the message is not shown, and is still returned.
  rec.pop_message_switch[0] = 'Y';
  EXPECT_EQ(request("WRI"), "XX");
  EXPECT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(rec.pop_message_switch[0], 'N');
}

// One kept file that cannot be deleted does not stop the rotation: the next ones are used.
TEST_F(PopTest, TheRotationPassesOverAFileThatCannotBeDeleted) {
  std::ofstream(home + "PRINT.rtf") << "earlier document";
  platform::files::syscalls().unlink = [](const char* path) {
    if (std::string_view(path).ends_with("/PRINT.rtf")) {
      errno = EBUSY;
      return -1;
    }
    return ::unlink(path);
  };
  std::vector<std::string> names;
  for (int doc = 0; doc < 3; ++doc) {
    ASSERT_EQ(request("INI"), "00");
    line("Document " + std::to_string(doc) + "\x03");
    ASSERT_EQ(request("WRI"), "00") << message();
    ASSERT_EQ(request("CLS"), "00");
    names.push_back(print_file());
  }
  EXPECT_EQ(names, (std::vector<std::string>{home + "PRINTA.rtf", home + "PRINTB.rtf",
                                             home + "PRINTA.rtf"}));
  EXPECT_EQ(contents(home + "PRINT.rtf"), "earlier document");
}

// Another station printing into the same home folder holds its open print file as this
// one does: it is passed over, never deleted under the other process.
TEST_F(PopTest, APrintFileOpenInAnotherProcessIsNeverDeleted) {
  // Held the way POP holds its own: an exclusive lock on an open of the file.
  std::vector<int> held;
  const auto hold = [&](const std::string& name, const std::string& text) {
    std::ofstream(home + name) << text;
    held.push_back(::open((home + name).c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(held.back(), LOCK_EX | LOCK_NB), 0);
  };
  hold("PRINT.rtf", "another user's report");
  ASSERT_EQ(request("INI"), "00");
  line("Mine\x03");
  ASSERT_EQ(request("WRI"), "00");
  EXPECT_EQ(print_file(), home + "PRINTA.rtf");
  // The open document is held until it is closed.
  const int probe = ::open((home + "PRINTA.rtf").c_str(), O_RDONLY | O_CLOEXEC);
  EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0);
  ASSERT_EQ(request("CLS"), "00");
  EXPECT_EQ(::flock(probe, LOCK_EX | LOCK_NB), 0);
  ::close(probe);
  EXPECT_EQ(contents(home + "PRINT.rtf"), "another user's report");
  EXPECT_NE(contents(home + "PRINTA.rtf").find("Mine"), std::string::npos);

  // Every kept file held: the document fails, naming the least recently used, and the
  // purge deletes none of them.
  hold("PRINTA.rtf", "A");
  hold("PRINTB.rtf", "B");
  ASSERT_EQ(request("INI"), "00");
  EXPECT_EQ(request("WRI"), "XX");
  const std::string not_deleted =
      "--Error deleting old print file. File may be open in another application or the "
      "viewer. |";
  EXPECT_EQ(message(), not_deleted + home + "PRINT.rtf");
  EXPECT_EQ(request("PPF"), "XX");
  EXPECT_EQ(message(), not_deleted + home + "PRINT.rtf");
  for (const char* name : {"PRINT.rtf", "PRINTA.rtf", "PRINTB.rtf"})
    EXPECT_TRUE(std::filesystem::exists(home + name)) << name;
  for (const int fd : held)
    ::close(fd);
}

// A document that failed on a full disk is removed, so that it does not keep the disk full.
TEST_F(PopTest, ADocumentThatMetAFullDiskLeavesNoPartialFile) {
  ASSERT_EQ(request("INI"), "00");
  ASSERT_EQ(request("SEC"), "00");
  const std::string name = print_file();
  platform::files::syscalls().pwrite = [](int, const void*, std::size_t, off_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  line(std::string(700, 'x') + "\x03");
  std::string status = "00";
  for (int i = 0; i < 200 && status == "00"; ++i)
    status = request("WRI");
  ASSERT_EQ(status, "XX");
  EXPECT_EQ(request("CLS"), "XX");
  EXPECT_FALSE(std::filesystem::exists(name));
}

TEST_F(PopTest, AFailedWriteIsReportedOnItsRequest) {
  ASSERT_EQ(request("INI"), "00");
  ASSERT_EQ(request("SEC"), "00");
  platform::files::syscalls().pwrite = [](int, const void*, std::size_t, off_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  // Lines are batched; the failure shows on the request whose bytes met it. A full disk is
  // an area shortage, not a hardware error.
  std::string status = "00";
  line(std::string(700, 'x') + "\x03");
  for (int i = 0; i < 200 && status == "00"; ++i)
    status = request("WRI");
  EXPECT_EQ(status, "XX");
  EXPECT_EQ(message(), "--Error writing to the report output file.|>9X - WRITE: Area Shortage! |");
  EXPECT_EQ(request("CLS"), "XX");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
}

TEST_F(PopTest, AnUnwritableHomeFolderFailsTheDocument) {
  std::filesystem::create_directory(home + "gone");
  std::memcpy(misc->xm_home_folder, (home + "gone/missing/").c_str(), home.size() + 14);
  ASSERT_EQ(request("INI"), "00");
  EXPECT_EQ(request("SEC"), "XX");
  EXPECT_EQ(message(),
            "--Program provided invalid parameters to CBL_CREATE_FILE call|.=91 - OPEN: Path "
            "Invalid or File Does Not Exist! |");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
  EXPECT_EQ(log.messages.size(), 1u);
}

TEST_F(PopTest, CloseWritesEverythingBatched) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  line("Row\x03");
  for (int i = 0; i < 2000; ++i)
    ASSERT_EQ(request("WRI"), "00");
  const std::uint32_t length = static_cast<std::uint32_t>(frame::read_be32(rec.pop_file_offset));
  ASSERT_EQ(request("CLS"), "00");
  const std::string doc = contents(print_file());
  EXPECT_EQ(doc.size(), length + 3);
  EXPECT_TRUE(doc.ends_with("Row\\par\r\n}\r\n"));
}

TEST_F(PopTest, InitialisingAgainClosesTheOpenDocumentWhole) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  line("First\x03");
  ASSERT_EQ(request("WRI"), "00");
  const std::string first = print_file();
  ASSERT_EQ(request("INI"), "00");
  EXPECT_EQ(frame::read_be32(rec.pop_file_handle), 0);
  EXPECT_TRUE(contents(first).ends_with("First\\par\r\n}\r\n"));
  // The record starts the next document as usual.
  rec.pop_header_style[0] = 'H';
  line("Second\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  EXPECT_NE(print_file(), first);
  EXPECT_TRUE(contents(print_file()).ends_with("Second\\par\r\n}\r\n"));
  EXPECT_TRUE(contents(first).ends_with("First\\par\r\n}\r\n"));
}

TEST_F(PopTest, WarningsAskAndYesSilencesThemForTheProcess) {
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  layout(
      "\x15"
      "0100X     \x03");
  line("a\x03");
  log.answers = {7};  // No: the warning comes again
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, "Layout Encoding Warning");
  const std::string question =
      "Do you wish to suppress these messages?  Press cancel to terminate the program.  Layout "
      "tab style is invalid.  Document may appear incorrect. (PTR=0001)";
  EXPECT_EQ(log.messages[0].text, question);
  EXPECT_EQ(message(), question);
  log.answers = {6};  // Yes
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  ASSERT_EQ(request("INI"), "00");
  layout(
      "\x15"
      "0100X     \x03");
  ASSERT_EQ(request("WRI"), "00");
  EXPECT_EQ(log.messages.size(), 2u) << "no warning after Yes, even in a later document";
}

TEST_F(PopTest, AFormThatShowsNoMessagesLeavesTheWarningsOn) {
  QuarnCallerForm silent{&log, nullptr, &FormLog::geometry, &FormLog::thru};
  ASSERT_EQ(request("INI"), "00");
  rec.pop_header_style[0] = 'H';
  layout(
      "\x15"
      "0100X     \x03");
  line("a\x03");
  frame::put_text(rec.pop_request, "WRI");
  QUARN_POP(&rec, &caller, &silent);
  ASSERT_EQ(std::string(rec.pop_status, 2), "00");
  ASSERT_EQ(request("WRI"), "00");
  EXPECT_EQ(log.messages.size(), 1u) << "the warning still reaches a form that shows it";
}

TEST_F(PopTest, CancelledWarningFailsTheRequest) {
  ASSERT_EQ(request("INI"), "00");
  layout(
      "\x15"
      "0100X     \x03");
  line("a\x03");
  log.answers = {2};
  EXPECT_EQ(request("WRI"), "XX");
}

TEST_F(PopTest, ProgressWindowAndCancel) {
  auto& runtime = forms::headless_runtime();
  EXPECT_EQ(platform::registry::open_key("SOFTWARE\\Classes\\QUARN.POPProg.1", ""),
            platform::registry::kOk)
      << "the runtime that serves the progress window registers it";
  runtime.clear_progress_log();
  runtime.script_cancel_after(2);
  ASSERT_EQ(request("INI"), "00");
  frame::put_text(rec.pop_progress_text, "Page 1");
  ASSERT_EQ(request("STA"), "00");
  EXPECT_EQ(std::string(frame::trimmed(rec.pop_progress_text)), "");
  frame::put_text(rec.pop_progress_text, "Page 2");
  EXPECT_EQ(request("STA"), "XC");
  EXPECT_EQ(message(), "Cancel was pressed by the operator");
  EXPECT_EQ(rec.pop_cancel_switch[0], 'Y');
  ASSERT_EQ(request("CLS"), "XC");
  EXPECT_EQ(runtime.progress_log(),
            (std::vector<std::string>{"CPOSITION 10,20,640,480", "ACTIVATE", "CPROGRESSTEXT Page 1",
                                      "THRUEVENTS", "GET-CCANCELLED", "CPROGRESSTEXT Page 2",
                                      "THRUEVENTS", "GET-CCANCELLED", "DEACTIVATE"}));
  runtime.script_cancel_after(0);

  runtime.set_progress_available(false);
  ASSERT_EQ(request("INI"), "00");
  frame::put_text(rec.pop_progress_text, "Page 1");
  EXPECT_EQ(request("STA"), "XX");
  EXPECT_EQ(message(), "--Unable to display print/preview progress. |");
  runtime.set_progress_available(true);
  ASSERT_EQ(request("CLS"), "00");
}

}  // namespace
}  // namespace quarn::testing
