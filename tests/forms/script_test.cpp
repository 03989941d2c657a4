#include <gtest/gtest.h>

#include <array>
#include <string>

#include "form_fixture.hpp"
#include "forms/module_services.hpp"
#include "forms/script.hpp"
#include "quarn/quarn-m.h"

namespace quarn::forms {
namespace {

TEST(Script, StepsAreReadWithTheirTexts) {
  const ParsedScript parsed = parse_script(
      "# a comment\n"
      "type Name-CmText \"Acme \\\"Ltd\\\"\\nLine 2\\\\x\"\r\n"
      "\n"
      "choose List #3\n"
      "choose List Canada\n"
      "check Menu-Item 1\n"
      "click Ok\n"
      "timer Tick\n"
      "close\n"
      "answer Yes\n"
      "answer 7\n"
      "folder \"/data/co 1\"\n"
      "file cancel\n");
  ASSERT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.steps.size(), 11u);
  EXPECT_EQ(parsed.steps[0].text, "Acme \"Ltd\"\nLine 2\\x");
  EXPECT_EQ(parsed.steps[0].line, 2);
  EXPECT_TRUE(parsed.steps[1].by_index);
  EXPECT_EQ(parsed.steps[1].number, 3);
  EXPECT_EQ(parsed.steps[2].text, "Canada");
  EXPECT_EQ(parsed.steps[3].number, 1);
  EXPECT_EQ(parsed.steps[7].number, message_box::kYes);
  EXPECT_EQ(parsed.steps[8].number, message_box::kNo);
  EXPECT_EQ(parsed.steps[9].text, "/data/co 1");
  EXPECT_FALSE(parsed.steps[9].cancel);
  EXPECT_TRUE(parsed.steps[10].cancel);
}

TEST(Script, ABadLineIsReportedWithItsNumber) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"click\n", "line 1: click takes 1 word"},
      {"click a\njump b\n", "line 2: unknown step \"jump\""},
      {"type a \"open\n", "line 1: a text has no closing quote"},
      {"answer Maybe\n", "line 1: unknown answer \"Maybe\""},
      {"check a 2\n", "line 1: check takes 0 or 1"},
      {"choose a #x\n", "line 1: choose #N needs a number"},
      {"size 640\n", "line 1: size takes 2 words"},
      {"size 640 0\n", "line 1: size takes a width and a height above 0"},
      {"size wide 480\n", "line 1: size takes a width and a height above 0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parse_script(c.text).error, c.error) << c.text;
    HeadlessRuntime runtime;
    EXPECT_FALSE(runtime.set_script(c.text));
    EXPECT_EQ(runtime.pending_steps(), 0u);
  }
}

// A small form with a timer, a checkable menu item, a list and a disabled button.
using K = ControlKind;
constexpr std::array<ControlDef, 6> kControls{{
    {"Name", K::kText, "first"},
    {"Pick", K::kList, ""},
    {"Go", K::kButton, "&Go"},
    {"Off", K::kButton, "O&ff"},
    {"Tick", K::kTimer, ""},
    {"View-Grid", K::kMenuItem, "&Grid", "", {}, "View-Menu", 1, 0, true},
}};
constexpr FormDef kForm{"Small", "Small Form", 200, 100, kControls};

class Recorder final : public FormEvents {
 public:
  void load(Form& form) override {
    form.add_item("Pick", "Apple");
    form.add_item("Pick", "Banana");
    form.set_control_property("Off", property::kEnabled, Value(std::int64_t{0}));
    form.set_control_property("Tick", property::kEnabled, Value(std::int64_t{1}));
    events.push_back("load");
  }
  void click(Form& form, std::string_view control) override {
    events.push_back("click " + std::string(control) + " " +
                     std::to_string(control_number(form, control, property::kChecked, -1)));
    if (control == "Go") form.end();
  }
  void change(Form& form, std::string_view control) override {
    events.push_back("change " + std::string(control) + " " + control_text(form, control) +
                     std::to_string(control_number(form, control, property::kListIndex, -9)));
  }
  void timer(Form&, std::string_view timer) override {
    events.push_back("timer " + std::string(timer));
  }
  void resize(Form& form) override {
    events.push_back("resize " + std::to_string(number_property(form, property::kClientWidth)) +
                     "x" + std::to_string(number_property(form, property::kClientHeight)));
    if (number_property(form, property::kWidth) > 500)
      form.set_property(property::kWidth, Value(std::int64_t{500}));  // a largest width
  }
  void close_request(Form& form) override {
    events.push_back("close");
    form.end();
  }
  std::vector<std::string> events;
};

TEST(HeadlessForms, TheScriptDrivesTheEventsOfTheForm) {
  HeadlessRuntime runtime;
  ASSERT_TRUE(
      runtime.set_script("type Name \"typed\"\n"
                         "choose Pick Ban\n"
                         "check View-Grid 1\n"
                         "timer Tick\n"
                         "click Off\n"
                         "click Missing\n"
                         "answer Yes\n"
                         "click Go\n"
                         "click Go\n"));
  Recorder recorder;
  runtime.run_form(kForm, recorder, {});
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"load", "change Name typed-9", "change Pick 1",
                                      "click View-Grid 1", "timer Tick", "click Go -1"}));
  EXPECT_EQ(runtime.script_faults(),
            (std::vector<std::string>{"line 5: Off is disabled",
                                      "line 6: the form Small has no control Missing",
                                      "line 7: no message box or dialog asked for this answer"}));
  EXPECT_EQ(runtime.pending_steps(), 1u) << "the steps after the form ended wait";
  const auto form = runtime.last_form("Small");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(
      form->render(),
      "form Small \"Small Form\"\ntext Name \"typed\"\nlist Pick \"Banana\"\n"
      "button Go \"&Go\"\nbutton Off \"O&ff\"\ntimer Tick \"\"\nmenuitem View-Grid \"&Grid\"\n");
}

TEST(HeadlessForms, EveryChangeOfSizeIsAResizeEvent) {
  HeadlessRuntime runtime;
  // The same size twice is one change; a size the event procedure changes again is a
  // second event.
  ASSERT_TRUE(runtime.set_script("size 300 150\nsize 300 150\nsize 900 150\nclick Go\n"));
  Recorder recorder;
  runtime.run_form(kForm, recorder, {});
  EXPECT_TRUE(runtime.script_faults().empty());
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"load", "resize 300x150", "resize 900x150",
                                                       "resize 500x150", "click Go -1"}));
  EXPECT_FALSE(
      runtime.last_form("Small")->set_property(property::kClientWidth, Value(std::int64_t{1})))
      << "the client area follows from the size";
}

TEST(HeadlessForms, WithoutStepsTheFormIsClosedAsByItsCloseBox) {
  HeadlessRuntime runtime;
  Recorder recorder;
  runtime.run_form(kForm, recorder, {{}, 0, {5, 6, 300, 200}});
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"load", "close"}));
  EXPECT_EQ(number_property(*runtime.last_form("Small"), property::kWidth), 300);
  EXPECT_EQ(runtime.browse_folder("Where?", "/start"), std::nullopt);
  EXPECT_EQ(runtime.open_file({"Open", {{"All", "*.*"}}, 1, "/start"}), std::nullopt);
  ASSERT_EQ(runtime.dialogs().size(), 2u);
  EXPECT_EQ(runtime.dialogs()[0].start, "/start");
}

TEST(HeadlessForms, ControlPropertiesKeepTheirKindsAndRanges) {
  HeadlessForm form(kForm);
  EXPECT_FALSE(form.set_control_property("Name", property::kText, Value(std::int64_t{1})));
  EXPECT_FALSE(form.set_control_property("Pick", property::kListIndex, Value(std::int64_t{0})))
      << "the list is empty";
  EXPECT_TRUE(form.add_item("Pick", "One"));
  EXPECT_TRUE(form.set_control_property("Pick", property::kListIndex, Value(std::int64_t{0})));
  EXPECT_FALSE(form.add_item("Name", "x")) << "a text field has no items";
  EXPECT_EQ(form.item("Pick", 5), "");
  EXPECT_FALSE(form.set_focus("Nothing"));
  EXPECT_EQ(accelerator("&Save"), 'S');
  EXPECT_EQ(accelerator("City, ST && Code"), 0);
  EXPECT_EQ(accelerator("Save &as"), 'A');
}

TEST(FormsCApi, TheScriptAndTheMessagesThroughTheHeader) {
  char error[64];
  EXPECT_EQ(quarn_forms_script("click", error, sizeof error), -1);
  EXPECT_STREQ(error, "line 1: click takes 1 word");
  EXPECT_EQ(quarn_forms_script("answer No\n", error, sizeof error), 0);
  auto& headless = headless_runtime();
  headless.clear_messages();
  EXPECT_EQ(headless.message_box("QUARN-Test", "Sure?", 292), message_box::kNo);
  char caption[8];
  char text[16];
  std::int32_t style = 0;
  std::int32_t answer = 0;
  EXPECT_EQ(quarn_forms_message(0, caption, sizeof caption, text, sizeof text, &style, &answer), 1);
  EXPECT_STREQ(caption, "QUARN-T") << "cut to its size";
  EXPECT_STREQ(text, "Sure?");
  EXPECT_EQ(style, 292);
  EXPECT_EQ(answer, message_box::kNo);
  EXPECT_EQ(quarn_forms_message(1, caption, sizeof caption, text, sizeof text, &style, &answer), 0);
  EXPECT_STREQ(quarn_forms_runtime(), "headless");
}

}  // namespace
}  // namespace quarn::forms

namespace quarn::testing {
namespace {

std::u16string utf16(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

class FormClassTest : public FormTest {};

TEST_F(FormClassTest, TheModuleHandsOutAClassForEachFormInTheLibrary) {
  void* object = nullptr;
  const std::u16string name = utf16("FLBROWSE");
  ASSERT_EQ(CfDllGetClassObjectByName(reinterpret_cast<const std::uint16_t*>(name.c_str()), nullptr,
                                      &object),
            forms::kOk);
  auto* flbrowse = static_cast<QuarnFormClass*>(object);
  EXPECT_STREQ(flbrowse->program, "FLBROWSE");

  char id[16] = "ORGEDIT";
  ASSERT_EQ(DllGetClassObject(id, nullptr, &object), forms::kOk);
  auto* orgedit = static_cast<QuarnFormClass*>(object);
  EXPECT_STREQ(orgedit->program, "ORGEDIT");
  const std::u16string unknown = utf16("NOSUCHFORM");
  EXPECT_EQ(CfDllGetClassObjectByName(reinterpret_cast<const std::uint16_t*>(unknown.c_str()),
                                      nullptr, &object),
            forms::kClassNotAvailable);

  // DoModal opens the form: FLBROWSE's dialog takes the script's answer.
  script("file \"/data/ORGFILE\"\n");
  EXPECT_EQ(flbrowse->DoModal(flbrowse), forms::kOk);
  EXPECT_EQ(std::string(misc->xm_browse_result, 4), "0001");

  std::int32_t style = 1;
  EXPECT_EQ(flbrowse->ModalStyle(flbrowse, &style), forms::kOk);
  style = -1;
  flbrowse->ModalStyle(flbrowse, &style);
  EXPECT_EQ(style, 1);

  // A deactivated class opens nothing until it is activated again.
  EXPECT_EQ(flbrowse->Deactivate(flbrowse), forms::kOk);
  script("file \"/data/OTHER\"\n");
  EXPECT_EQ(flbrowse->DoModal2(flbrowse, nullptr), forms::kFalse);
  EXPECT_EQ(runtime.pending_steps(), 1u);
  EXPECT_EQ(flbrowse->Activate(flbrowse), forms::kOk);
  EXPECT_EQ(flbrowse->DoModal2(flbrowse, nullptr), forms::kOk);
  EXPECT_EQ(std::string(misc->xm_browse_path, 11), "/data/OTHER");
  std::int32_t enabled = -1;
  flbrowse->Enabled(flbrowse, &enabled);
  EXPECT_EQ(enabled, 1);
}

}  // namespace
}  // namespace quarn::testing

namespace quarn::testing {
namespace {

class ShownHookTest : public FormTest {};

TEST_F(ShownHookTest, TheHookHearsOfEachFormAndMayCloseIt) {
  static std::vector<std::string> shown;
  shown.clear();
  quarn_forms_on_shown(
      [](const char* form, void*) -> int32_t {
        shown.emplace_back(form);
        return 1;
      },
      nullptr);
  script("type OrgData-CmText \"never typed\"\n");
  QUARN_ORGEDIT(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  quarn_forms_on_shown(nullptr, nullptr);
  EXPECT_EQ(shown, std::vector<std::string>{"OrgEdit"});
  EXPECT_EQ(runtime.pending_steps(), 1u) << "closed before the script's first step";
}

}  // namespace
}  // namespace quarn::testing
