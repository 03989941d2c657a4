#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "form_fixture.hpp"
#include "forms/orgedit/orgedit_form.hpp"
#include "frame/external.hpp"
#include "platform/files.hpp"
#include "quarn/quarn-m.h"

namespace quarn::testing {
namespace {

namespace ui = forms::orgedit::control;

std::string line(std::string_view text) {
  std::string l(text);
  l.resize(40, ' ');
  return l + "\n";
}

// An ORGFILE of the given lines, each padded to 40 characters.
std::string orgfile(std::initializer_list<std::string_view> lines) {
  std::string all;
  for (const std::string_view l : lines)
    all += line(l);
  return all;
}

// Line 5 with every reserved position set by another program, and positions 37-40 too.
constexpr std::string_view kLine5 = "CAx123456789yyy987654321zzEBANK00001WXYZ";
constexpr std::string_view kLine5Saved = "CAx123456789yyy987654321zzEBANK00001";

// IXIOSTAT's wording of a status, up to its line break.
std::string worded(std::string_view status) {
  QuarnIxiostatRecord r;
  std::memcpy(r.ix_status_code, status.data(), 2);
  QUARN_IXIOSTAT(&r);
  const std::string message(r.ix_status_message, sizeof r.ix_status_message);
  return message.substr(0, message.find('|'));
}

class OrgeditTest : public FormTest {
 protected:
  // Runs ORGEDIT with the caller folder (empty: none); the outcome.
  std::int32_t run(const std::string& caller_folder = "") {
    frame::put_text(misc->xm_document_folder, caller_folder);
    std::int32_t outcome = -1;
    QUARN_ORGEDIT(nullptr, nullptr, &outcome, nullptr, nullptr, nullptr);
    return outcome;
  }
  std::shared_ptr<forms::HeadlessForm> form() const { return runtime.last_form("OrgEdit"); }
  std::string text(std::string_view control) const { return forms::control_text(*form(), control); }
  std::string caption(std::string_view control) const {
    return forms::control_text(*form(), control, forms::property::kCaption);
  }
  std::string title() const {
    return std::get<std::string>(*form()->property(forms::property::kCaption));
  }
  std::int64_t country() const {
    return forms::control_number(*form(), ui::kCountry, forms::property::kListIndex);
  }
  std::string company(std::string_view name) {
    const std::string folder = home + std::string(name) + "/";
    std::filesystem::create_directories(folder);
    return folder;
  }
};

TEST_F(OrgeditTest, LoadAndSaveKeepTheReservedPositionsOfLineFive) {
  const std::string co1 = company("CO1");
  write_file(co1 + "ORGFILE", orgfile({"Old Name", "1 Main St", "Town, ON K1A 0B1", "555-1234",
                                       kLine5, "A00001 trailing text"}));
  script(
      "type OrgData-CmText \"New Name\\n2 High St\\nCity, ON K2B 1C2\\n555-9876\"\n"
      "click _CmBtn-SAVE\n");
  EXPECT_EQ(run(co1), 1);
  expect_script_done();
  EXPECT_TRUE(runtime.messages().empty()) << runtime.messages().front().text;
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), orgfile({"New Name", "2 High St", "City, ON K2B 1C2",
                                                     "555-9876", kLine5Saved, "A00001"}));
  EXPECT_EQ(title(), co1 + "ORGFILE");
  EXPECT_TRUE(form()->ended()) << "a caller's folder is saved and closed";
}

TEST_F(OrgeditTest, LoadFillsTheControlsAndTheCountryList) {
  const std::string co1 = company("CO1");
  write_file(co1 + "ORGFILE", orgfile({"Name", "Address", "City", "Phone", kLine5, "A00001"}));
  EXPECT_EQ(run(co1), 0);
  EXPECT_EQ(text(ui::kOrgData), "Name\nAddress\nCity\nPhone");
  EXPECT_EQ(text(ui::kIds), "123456789\n987654321\nEBANK00001");
  EXPECT_EQ(text(ui::kOrgMastId), "A00001");
  EXPECT_EQ(country(), 2);
  EXPECT_EQ(form()->item(ui::kCountry, 0), "--Select Country--");
  EXPECT_EQ(form()->item(ui::kCountry, 2), "Canada (CA)");
  EXPECT_EQ(form()->item(ui::kCountry, 6), "Antigua & Barbuda (AG)");
  EXPECT_EQ(forms::control_number(*form(), ui::kCountry, forms::property::kListCount), 194);
}

TEST_F(OrgeditTest, ACallerFolderWithoutFinalSeparatorLosesItsLastPart) {
  const std::string data = company("DATA");
  write_file(data + "ORGFILE", orgfile({"Data Org", "", "", "", "US"}));
  run(data + "CO1");
  EXPECT_EQ(title(), data + "ORGFILE");
  EXPECT_EQ(text(ui::kOrgData), "Data Org\n\n\n");
}

TEST_F(OrgeditTest, AFourLineOrgfileNeedsACountryAndIsSavedWithSixLines) {
  const std::string co1 = company("CO1");
  write_file(co1 + "ORGFILE", orgfile({"Four", "Lines", "Only", "Here"}));
  script(
      "click _CmBtn-SAVE\n"
      "choose Country-CmCombo \"Canada (CA)\"\n"
      "click _CmBtn-SAVE\n");
  EXPECT_EQ(run(co1), 1);
  expect_script_done();
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "ERROR: Country Location of Organization is missing.");
  EXPECT_EQ(runtime.messages()[0].style, 16);
  EXPECT_EQ(runtime.messages()[0].caption, "QUARN-OrgEdit");
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), orgfile({"Four", "Lines", "Only", "Here", "CA", ""}));
}

TEST_F(OrgeditTest, AnUnknownCountryCodeSelectsNothingAndSaveRefuses) {
  const std::string co1 = company("CO1");
  const std::string before = orgfile({"Name", "", "", "", "QQ", ""});
  write_file(co1 + "ORGFILE", before);
  script("click _CmBtn-SAVE\n");
  EXPECT_EQ(run(co1), 0);
  EXPECT_EQ(country(), 0);
  EXPECT_EQ(message_texts(),
            std::vector<std::string>{"ERROR: Country Location of Organization is missing."});
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), before);
}

TEST_F(OrgeditTest, ABlankNameIsRequiredAndTheNameLineGetsTheFocus) {
  const std::string co1 = company("CO1");
  const std::string before = orgfile({"Name", "", "", "", "US", ""});
  write_file(co1 + "ORGFILE", before);
  script(
      "type OrgData-CmText \"  \\nAddress\"\n"
      "click _CmBtn-SAVE\n");
  run(co1);
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "Organization Name is required!");
  EXPECT_EQ(runtime.messages()[0].style, 16);
  EXPECT_EQ(form()->focus(), ui::kOrgData);
  EXPECT_EQ(forms::control_number(*form(), ui::kTabs, forms::property::kTab), 0);
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), before);
}

TEST_F(OrgeditTest, WithoutAFolderTheFormOpensEmptyAndOpensThroughFlbrowse) {
  const std::string co2 = company("CO2");
  write_file(co2 + "ORGFILE", orgfile({"Second", "", "", "", "US", ""}));
  script("click File-Open\nfile cancel\n");
  run();
  expect_script_done();
  EXPECT_EQ(caption(ui::kMessage), "** Please use the file menu to select an ORGFILE to begin **");
  EXPECT_EQ(title(), "Company Data");
  EXPECT_EQ(forms::control_number(*form(), ui::kOrgData, forms::property::kEnabled), 0);
  ASSERT_EQ(runtime.dialogs().size(), 1u);
  EXPECT_EQ(runtime.dialogs()[0].title, "ORGID Browse" + std::string(20, ' '));
  const std::vector<std::pair<std::string, std::string>> filters{{"ORGID Files", "ORGFILE"},
                                                                 {"All Files", "*.*"}};
  EXPECT_EQ(runtime.dialogs()[0].filters, filters);

  script(
      "click File-Open\n"
      "file \"" +
      co2 +
      "ORGFILE\"\n"
      "type OrgData-CmText \"Second Renamed\"\n"
      "click File-Save\n");
  EXPECT_EQ(run(), 1);
  expect_script_done();
  EXPECT_EQ(file_contents(co2 + "ORGFILE"), orgfile({"Second Renamed", "", "", "", "US", ""}));
  // Saved without a caller folder: back to the empty form for the next ORGFILE.
  EXPECT_EQ(title(), "Company Data");
  EXPECT_EQ(text(ui::kOrgData), "\n\n\n");
  EXPECT_EQ(caption(ui::kMessage), "** Please use the file menu to select an ORGFILE to begin **");
  EXPECT_EQ(std::string(misc->xm_browse_folder, co2.size()), co2);
}

TEST_F(OrgeditTest, SaveAsAsksBeforeReplacingAnOrgfile) {
  const std::string co2 = company("CO2");
  const std::string co3 = company("CO3");
  write_file(co2 + "ORGFILE", orgfile({"Second", "", "", "", "US", ""}));
  const std::string third = orgfile({"Third", "", "", "", "CA", ""});
  write_file(co3 + "ORGFILE", third);
  const std::string open = "click File-Open\nfile \"" + co2 + "ORGFILE\"\n";
  const std::string save_as = "click File-SaveAs\nfolder \"" + co3 + "\"\n";

  script(open + save_as + "answer No\n");
  EXPECT_EQ(run(), 0);
  expect_script_done();
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "Replace ORGFILE in folder " + co3 + "?");
  EXPECT_EQ(runtime.messages()[0].style, 292);
  EXPECT_EQ(file_contents(co3 + "ORGFILE"), third) << "No writes nothing";
  ASSERT_EQ(runtime.dialogs().size(), 2u);
  EXPECT_EQ(runtime.dialogs()[1].kind, "folder");
  EXPECT_EQ(runtime.dialogs()[1].title, "Save ORGFILE in:");
  EXPECT_EQ(runtime.dialogs()[1].start, home);

  runtime.clear_messages();
  script(open + save_as + "answer Yes\n");
  EXPECT_EQ(run(), 1);
  expect_script_done();
  EXPECT_EQ(file_contents(co3 + "ORGFILE"), orgfile({"Second", "", "", "", "US", ""}));
}

TEST_F(OrgeditTest, SaveAsCancelledWritesNothingAndForgetsThePath) {
  const std::string co2 = company("CO2");
  const std::string second = orgfile({"Second", "", "", "", "US", ""});
  write_file(co2 + "ORGFILE", second);
  script("click File-Open\nfile \"" + co2 + "ORGFILE\"\ntype OrgData-CmText \"Changed\"\n" +
         "click File-SaveAs\nfolder cancel\n");
  EXPECT_EQ(run(), 0);
  expect_script_done();
  EXPECT_EQ(file_contents(co2 + "ORGFILE"), second);
  EXPECT_EQ(title(), "Company Data");
  EXPECT_TRUE(runtime.messages().empty());
}

TEST_F(OrgeditTest, NewWithoutAPathAsksForTheFolderAndWritesANewOrgfile) {
  const std::string co4 = company("CO4");
  script(
      "click File-New\n"
      "type OrgData-CmText \"Fresh\"\n"
      "choose Country-CmCombo \"United States\"\n"
      "click _CmBtn-SAVE\n"
      "folder \"" +
      co4 + "\"\n");
  EXPECT_EQ(run(), 1);
  expect_script_done();
  EXPECT_TRUE(runtime.messages().empty()) << "a new file is not a replacement";
  EXPECT_EQ(file_contents(co4 + "ORGFILE"), orgfile({"Fresh", "", "", "", "US", ""}));
}

// A disk that fills up while ORGFILE is written.
ssize_t full_disk(int, const void*, std::size_t, off_t) {
  errno = ENOSPC;
  return -1;
}

TEST_F(OrgeditTest, AFailedSaveLeavesTheOldOrgfileAndTheFormLoaded) {
  const std::string co1 = company("CO1");
  const std::string before = orgfile({"Kept", "", "", "", "US", ""});
  write_file(co1 + "ORGFILE", before);
  script("type OrgData-CmText \"Lost\"\nclick _CmBtn-SAVE\nclose\n");
  platform::files::syscalls().pwrite = &full_disk;
  const std::int32_t outcome = run(co1);
  platform::files::reset_syscalls();

  EXPECT_EQ(outcome, 0);
  expect_script_done();
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), before);
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "ERROR saving " + co1 + "ORGFILE|" + worded("34"));
  EXPECT_EQ(title(), co1 + "ORGFILE") << "the form stays loaded";
  EXPECT_EQ(text(ui::kOrgData), "Lost");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(co1))
    ++files;
  EXPECT_EQ(files, 1u) << "no temporary file is left";
}

TEST_F(OrgeditTest, AFolderWithoutOrgfileReportsItAndSaveCreatesIt) {
  const std::string co5 = company("CO5");
  script("type OrgData-CmText \"Created\"\nchoose Country-CmCombo #1\nclick _CmBtn-SAVE\n");
  EXPECT_EQ(run(co5), 1);
  expect_script_done();
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "ERROR opening " + co5 + "ORGFILE|" + worded("35"));
  EXPECT_EQ(file_contents(co5 + "ORGFILE"), orgfile({"Created", "", "", "", "US", ""}));
}

class OrgeditLookupTest : public OrgeditTest {
 protected:
  void SetUp() override {
    OrgeditTest::SetUp();
    write_file(home + "ENLOOKUP.TXT", "A00001 First Org\nB00002 Second Org\n");
    co1 = company("CO1");
    write_file(co1 + "ORGFILE", orgfile({"Name", "", "", "", "US", ""}));
    en = frame::external<QuarnEnGlobalExternalWs>("EN-GLOBAL-EXTERNAL-WS");
    ASSERT_NE(en, nullptr);
  }
  std::string co1;
  QuarnEnGlobalExternalWs* en = nullptr;
};

TEST_F(OrgeditLookupTest, AChosenIdAndItsNameComeBack) {
  script(
      "type OrgMastID-CmText \"b?0002/\"\n"
      "click OrgID-Lookup-CmBtn\n"
      "choose Lookup-CmList \"B00002\"\n"
      "click Lookup-OK-CmBtn\n"
      "click _CmBtn-SAVE\n");
  run(co1);
  expect_script_done();
  EXPECT_EQ(en->en_mode[0], 'N');
  EXPECT_EQ(en->en_status[0], '0');
  EXPECT_EQ(text(ui::kOrgMastId), "B00002");
  EXPECT_EQ(caption(ui::kOrgMastName), "Second Org");
  EXPECT_EQ(file_contents(co1 + "ORGFILE"), orgfile({"Name", "", "", "", "US", "B00002"}));
}

TEST_F(OrgeditLookupTest, ACancelledLookupShowsTheIdAsTheLookupLeftIt) {
  script(
      "type OrgMastID-CmText \"b?0002\"\n"
      "click OrgID-Lookup-CmBtn\n"
      "click Lookup-CANCEL-CmBtn\n");
  run(co1);
  expect_script_done();
  EXPECT_EQ(en->en_status[0], '1');
  EXPECT_EQ(std::string(en->en_id, 20), "B 0002" + std::string(14, ' '));
  EXPECT_EQ(text(ui::kOrgMastId), "B 0002");
  EXPECT_EQ(caption(ui::kOrgMastName), "");
}

TEST_F(OrgeditLookupTest, AStoredIdIsLookedUpAtLoadWithoutAsking) {
  write_file(co1 + "ORGFILE", orgfile({"Name", "", "", "", "US", "A00001"}));
  run(co1);
  EXPECT_EQ(en->en_mode[0], 'I');
  EXPECT_EQ(caption(ui::kOrgMastName), "First Org");
  EXPECT_EQ(runtime.last_form("EnLookup"), nullptr) << "an exact id needs no list";
}

TEST_F(OrgeditLookupTest, AnApplicationsLookupTakesThePlaceOfTheLibrarys) {
  static QuarnEnGlobalExternalWs* area = nullptr;
  area = en;
  const QuarnLookupProgram previous = quarn_set_lookup_program([]() -> int32_t {
    frame::put_text(area->en_id, "Z99999");
    frame::put_text(area->en_name, "From The Application");
    area->en_status[0] = '0';
    return 0;
  });
  script("type OrgMastID-CmText \"x\"\nclick OrgID-Lookup-CmBtn\n");
  run(co1);
  quarn_set_lookup_program(previous);
  EXPECT_EQ(text(ui::kOrgMastId), "Z99999");
  EXPECT_EQ(caption(ui::kOrgMastName), "From The Application");
}

TEST_F(OrgeditTest, PrintScreenHandsAPictureOfTheFormToThePrintProgram) {
  const std::string co1 = company("CO1");
  write_file(co1 + "ORGFILE", orgfile({"Pictured", "", "", "", "US", ""}));
  const struct {
    const char* program;
    std::vector<std::string> messages;
  } cases[] = {
      {"true", {}},
      {"/no/such/print-program", {"The screen could not be printed."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    runtime.clear_messages();
    std::filesystem::remove(home + "ORGEDIT-SCREEN.txt");
    write_file(home + "quarn-programs.map", std::string("PRINTIMAGE = ") + c.program + "\n");
    script("click PrintScreen-Menu\n");
    run(co1);
    EXPECT_EQ(message_texts(), c.messages);
    const std::string picture = file_contents(home + "ORGEDIT-SCREEN.txt");
    EXPECT_NE(picture.find("textblock OrgData-CmText \"Pictured\n\n\n\"\n"), std::string::npos)
        << picture;
  }
}

TEST_F(OrgeditTest, WithoutAScriptTheFormClosesAtOnce) {
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(form()->ended());
  EXPECT_TRUE(runtime.messages().empty());
}

}  // namespace
}  // namespace quarn::testing
