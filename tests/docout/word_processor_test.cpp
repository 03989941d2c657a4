// Documents written by POP, opened by a real word processor: converted headless to PDF and
// read back as text, their pictures listed and their page size checked.
#include <cstdlib>

#include "docout/pop_fixture.hpp"
#include "docout/qim.hpp"

namespace quarn::testing {
namespace {

bool have(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

class WordProcessorTest : public PopTest {
 protected:
  // Runs a shell command with its standard output into a file; returns that output.
  std::string run(const std::string& command) {
    const std::string out = folder / "out.txt";
    EXPECT_EQ(std::system((command + " >'" + out + "' 2>/dev/null").c_str()), 0) << command;
    return contents(out);
  }
};

TEST_F(WordProcessorTest, HeadersTablesPicturesAndLandscapeArrive) {
  ASSERT_TRUE(have("soffice") && have("pdftotext") && have("pdfimages"))
      << "scripts/bootstrap installs the word processor and the PDF tools";

  // Portrait: standard header, caller footer, lines, a table and a picture.
  ASSERT_EQ(request("INI"), "00");
  frame::put_text(rec.pop_heading_line_1, "Spring {prices}");
  line("Opening line\x03");
  ASSERT_EQ(request("WRI"), "00");
  line("Footer text\x03");
  ASSERT_EQ(request("WFT"), "00");
  const std::string cells =
      "\x16"
      "02001111      \x16"
      "04001111      \x03";
  frame::put_text(rec.pop_header_row_layout, cells);
  frame::put_text(rec.pop_row_layout, cells);
  frame::put_text(rec.pop_header_row_text, "Item\tPrice\x03");
  rec.pop_line_mode[0] = 'C';
  line("Pears\t2.10\x03");
  ASSERT_EQ(request("WRI"), "00");
  line("Plums\t3.05\x03");
  ASSERT_EQ(request("WRI"), "00");
  rec.pop_line_mode[0] = ' ';
  layout(
      "\x15"
      "0400R     \x03");
  line("Total\t5.15\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(quarn_qim_create(QUARN_DOCOUT_DATA "/square.png", (home + "square.qim").c_str()), 0);
  frame::put_text(rec.pop_picture_file, home + "square.qim");
  frame::put_text(rec.pop_picture_type, "PNG");
  frame::put_text(rec.pop_picture_x, "0400");
  frame::put_text(rec.pop_picture_y, "0500");
  ASSERT_EQ(request("PIC"), "00");
  ASSERT_EQ(request("CLS"), "00");
  const std::string portrait = print_file();

  // Landscape.
  ASSERT_EQ(request("INI"), "00");
  rec.pop_orientation[0] = 'L';
  line("Landscape page\x03");
  ASSERT_EQ(request("WRI"), "00");
  ASSERT_EQ(request("CLS"), "00");
  ASSERT_EQ(print_file(), home + "PRINTA.rtf");

  const std::string profile = "file://" + (folder / "profile");
  run("soffice --headless -env:UserInstallation=" + profile + " --convert-to pdf --outdir '" +
      home + "' '" + portrait + "' '" + home + "PRINTA.rtf'");
  ASSERT_TRUE(std::filesystem::exists(home + "PRINT.pdf"))
      << "the word processor could not open it";
  ASSERT_TRUE(std::filesystem::exists(home + "PRINTA.pdf"));

  const std::string text = run("pdftotext -layout '" + home + "PRINT.pdf' -");
  for (const char* expected :
       {"MONTHLY REPORT", "Page 1", "Spring {prices}", "12/10/2026 04:05", "Opening line",
        "Footer text", "Item", "Price", "Pears", "2.10", "Plums", "3.05", "Total"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " missing in:\n" << text;
  const std::string images = run("pdfimages -list '" + home + "PRINT.pdf'");
  EXPECT_NE(images.find("     8     8 "), std::string::npos) << "the 8 by 8 picture:\n" << images;

  const std::string info = run("pdfinfo '" + home + "PRINTA.pdf'");
  EXPECT_NE(info.find("792 x 612 pts"), std::string::npos) << info;
  EXPECT_NE(run("pdftotext '" + home + "PRINTA.pdf' -").find("Landscape page"), std::string::npos);
}

}  // namespace
}  // namespace quarn::testing
