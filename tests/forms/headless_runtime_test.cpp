#include "forms/headless_runtime.hpp"

#include <gtest/gtest.h>

namespace quarn::forms {
namespace {

TEST(HeadlessRuntime, MessageBoxesTakeTheScriptThenThePresetButton) {
  namespace mb = message_box;
  const struct {
    std::int32_t style, answer;
  } presets[] = {
      {16, mb::kOk},      {276, mb::kNo},       {321, mb::kCancel}, {308, mb::kNo},
      {563, mb::kCancel}, {64, mb::kOk},        {292, mb::kNo},     {36, mb::kYes},
      {547, mb::kCancel}, {0x202, mb::kIgnore}, {0x201, mb::kOk},  // no third button
      {0x0F, mb::kOk},
  };
  for (const auto& p : presets)
    EXPECT_EQ(mb::default_answer(p.style), p.answer) << p.style;

  HeadlessRuntime runtime;
  runtime.script_answers({mb::kYes});
  EXPECT_EQ(runtime.message_box("QUARN-Test ", "Replace?", 292), mb::kYes);
  EXPECT_EQ(runtime.message_box("QUARN-Test ", "Again?", 292), mb::kNo);
  ASSERT_EQ(runtime.messages().size(), 2u);
  EXPECT_EQ(runtime.messages()[0].text, "Replace?");
  EXPECT_EQ(runtime.messages()[1].answer, mb::kNo);
}

TEST(HeadlessRuntime, FormsHoldTheirGeometryAndEnd) {
  HeadlessRuntime runtime;
  EXPECT_EQ(runtime.active_form(), nullptr);
  auto main = runtime.open_form("Main", {10, 20, 300, 200});
  auto dialog = runtime.open_form("Dialog", {0, 0, 100, 50});
  EXPECT_EQ(runtime.active_form(), dialog);

  EXPECT_EQ(number_property(*main, property::kTop), 20);
  EXPECT_TRUE(main->set_property(property::kExtentWidth, std::int64_t{640}));
  EXPECT_EQ(number_property(*main, property::kWidth), 640) << "the extent is the size";
  EXPECT_FALSE(main->set_property(property::kTop, std::string("x")));
  EXPECT_FALSE(main->set_property("NoSuch", std::int64_t{1}));
  EXPECT_EQ(number_property(*main, "NoSuch", -1), -1);
  EXPECT_TRUE(main->set_property(property::kCaption, std::string("Title")));
  EXPECT_EQ(std::get<std::string>(*main->property(property::kCaption)), "Title");

  dialog->end();
  EXPECT_EQ(runtime.active_form(), main);
}

}  // namespace
}  // namespace quarn::forms
