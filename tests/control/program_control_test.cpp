#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "control/control_fixture.hpp"
#include "control/form_program.hpp"
#include "forms/headless_runtime.hpp"

namespace quarn::testing {
namespace {

using forms::Rect;

class ProgramControlTest : public ControlFileOnBothTest {
 protected:
  void SetUp() override {
    ControlFileOnBothTest::SetUp();
    previous = forms::set_runtime(&runtime);
    frame::put_text(program.program_id_name, "OrgEdit");
    frame::clear(program.form_id_name);
    set_work_area({0, 0, 1000, 700});
    frame::put_text(misc->xm_preferences, "S");
    quarn_set_user_id_program(nullptr);
  }
  void TearDown() override {
    quarn_set_user_id_program(nullptr);
    forms::set_runtime(previous);
    ControlFileOnBothTest::TearDown();
  }

  void set_work_area(const Rect& area) {
    frame::write_le32(misc->xm_work_area_left, area.left);
    frame::write_le32(misc->xm_work_area_top, area.top);
    frame::write_le32(misc->xm_work_area_width, area.width);
    frame::write_le32(misc->xm_work_area_height, area.height);
  }
  std::string controls(std::string_view method, std::string_view section = "",
                       std::string_view value = "") {
    frame::put_text(program.request.ctl_method, method);
    frame::put_text(program.request.ctl_section, section);
    frame::put_text(program.request.ctl_value, value);
    control::quarn_controls(program);
    return std::string(program.request.ctl_status, 2);
  }
  std::string act(std::string_view code) {
    char action[2] = {code[0], code[1]};
    control::quarn_program_control(program, action);
    return std::string(action, 2);
  }
  Rect geometry(const forms::Form& form) const {
    using namespace forms::property;
    return {static_cast<std::int32_t>(forms::number_property(form, kLeft)),
            static_cast<std::int32_t>(forms::number_property(form, kTop)),
            static_cast<std::int32_t>(forms::number_property(form, kWidth)),
            static_cast<std::int32_t>(forms::number_property(form, kHeight))};
  }
  std::string stored_location() {
    EXPECT_EQ(controls("GetUserStationControl", "OrgEdit-WINDOW"), "00");
    return std::string(frame::trimmed(program.request.ctl_value));
  }

  forms::HeadlessRuntime runtime;
  forms::Runtime* previous = nullptr;
  control::FormProgram program;
};

INSTANTIATE_TEST_SUITE_P(Backends, ProgramControlTest,
                         ::testing::Values(TestBackend::kSqlite, TestBackend::kPostgresql),
                         backend_name);

TEST_P(ProgramControlTest, WindowLocationIsSavedAndRestored) {
  program.form = runtime.open_form("OrgEdit", {50, 100, 640, 480});
  EXPECT_EQ(controls("SaveUserWindowLocation"), "00");
  EXPECT_EQ(stored_location(), "00000010@,00000005@,00000064@,00000048@");

  program.form->set_property("Top", std::int64_t{3});
  program.form->set_property("Width", std::int64_t{10});
  EXPECT_EQ(controls("SetUserWindowLocation"), "00");
  EXPECT_EQ(geometry(*program.form), (Rect{50, 100, 640, 480}));

  // Closing releases the reference and saves; a minimised window is not saved.
  program.form->set_property("Left", std::int64_t{70});
  EXPECT_EQ(controls("CloseForm"), "00");
  EXPECT_EQ(program.form, nullptr);
  EXPECT_EQ(stored_location(), "00000010@,00000007@,00000064@,00000048@");
  program.form = runtime.open_form("OrgEdit", {1, 2, 300, 19});
  EXPECT_EQ(controls("CloseForm"), "00");
  EXPECT_EQ(stored_location(), "00000010@,00000007@,00000064@,00000048@");
  EXPECT_EQ(controls("CloseForm"), "00") << "no form to read: nothing is saved";
  EXPECT_EQ(stored_location(), "00000010@,00000007@,00000064@,00000048@");
}

TEST_P(ProgramControlTest, RestoredWindowIsBoundedToTheWorkArea) {
  const Rect area{10, 20, 1000, 700};  // right edge 1010, bottom 720
  const struct {
    const char* what;
    std::string_view preferences;
    std::optional<std::string_view> stored;
    Rect before, after;
  } cases[] = {
      {"inside",
       "S",
       "000000100,000000200,000000300,000000400",
       {0, 0, 50, 50},
       {200, 100, 300, 400}},
      {"below",
       "S",
       "00000090@,00000010@,00000030@,00000040@",
       {0, 0, 50, 50},
       {100, 700, 300, 400}},
      {"to the right",
       "S",
       "00000010@,00000200@,00000030@,00000040@",
       {0, 0, 50, 50},
       {910, 100, 300, 400}},
      {"above and left out of view",
       "S",
       "00000000P,00000050Q,00000030@,00000040@",
       {0, 0, 50, 50},
       {-190, 20, 300, 400}},
      {"empty parts count as 0", "S", ",,300,400", {5, 5, 50, 50}, {0, 20, 300, 400}},
      {"stored place ignored",
       "N",
       "000000100,000000200,000000300,000000400",
       {2000, 900, 50, 50},
       {910, 700, 50, 50}},
      {"no record", "S", std::nullopt, {2000, 900, 50, 50}, {910, 700, 50, 50}},
  };
  for (const auto& c : cases) {
    set_work_area(area);
    frame::put_text(misc->xm_preferences, c.preferences);
    // Each case replaces (or, with none stored, deletes) the record of the one before.
    ASSERT_EQ(controls("SaveUserStationControl", "OrgEdit-WINDOW", c.stored.value_or("")), "00")
        << c.what;
    program.form = runtime.open_form("OrgEdit", c.before);
    EXPECT_EQ(controls("SetUserWindowLocation"), c.stored ? "00" : "23") << c.what;
    EXPECT_EQ(geometry(*program.form), c.after) << c.what;
  }

  // Without a stored work area the runtime's own is used.
  set_work_area({0, 0, 0, 0});
  runtime.set_work_area({0, 0, 800, 600});
  program.form = runtime.open_form("OrgEdit", {5000, 5000, 100, 100});
  controls("SetUserWindowLocation");
  EXPECT_EQ(geometry(*program.form), (Rect{700, 580, 100, 100}));
}

TEST_P(ProgramControlTest, InvalidActionIsShownAndAnswered) {
  program.form = runtime.open_form("OrgEdit", {0, 0, 100, 100});
  EXPECT_EQ(act("ZZ"), "XI");
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].caption, "QUARN-OrgEdit");
  EXPECT_EQ(runtime.messages()[0].text,
            "QUARN-Program-Control: XI>XX - I/O MODULE: Invalid Method = ZZ");
  EXPECT_EQ(runtime.messages()[0].style, 16);
  EXPECT_EQ(program.message_box_styles,
            (std::array<std::int32_t, 9>{16, 276, 321, 308, 563, 64, 292, 36, 547}));
  EXPECT_EQ(act("lf"), "XI");
}

TEST_P(ProgramControlTest, LoadSetsTitleRestoresWindowAndFindsRights) {
  frame::put_text(program.form_id_name, "Main Form");
  frame::put_text(misc->xm_sign_on_87, "ACME LTD");
  frame::put_text(misc->xm_sign_on_106, "Jane Doe");
  std::string list(450, ' ');
  list.replace(0, 15, "PAYROLL       5");
  list.replace(15, 15, "ORGEDIT       7");
  std::memcpy(misc->xm_sign_on_137, list.data(), list.size());
  ASSERT_EQ(controls("SaveUserStationControl", "OrgEdit-Main-WINDOW", "1,2,300,400"), "00");

  auto form = runtime.open_form("OrgEdit", {0, 0, 50, 50});
  EXPECT_EQ(act("LF"), "00");
  EXPECT_EQ(program.form, form);
  EXPECT_EQ(std::get<std::string>(*form->property("Caption")),
            "QUARN-OrgEdit-Main #001 ACME LTD Jane Doe");
  EXPECT_EQ(std::string(program.caption, 32), "QUARN-OrgEdit-Main" + std::string(14, ' '));
  EXPECT_EQ(geometry(*form), (Rect{2, 1, 300, 400}));
  EXPECT_EQ(program.rights_code[0], '7');
  EXPECT_TRUE(frame::read_unsigned(program.start_date).has_value());
  EXPECT_TRUE(frame::read_unsigned(program.start_time).has_value());
  EXPECT_EQ(std::string(program.program_id_name, 7), "OrgEdit");

  // "LP": no title, no restore.
  auto plain = runtime.open_form("Plain", {9, 9, 50, 50});
  EXPECT_EQ(act("LP"), "00");
  EXPECT_EQ(program.form, plain);
  EXPECT_EQ(std::get<std::string>(*plain->property("Caption")), "");
  EXPECT_EQ(geometry(*plain), (Rect{9, 9, 50, 50}));
  EXPECT_EQ(program.rights_code[0], '7');

  for (std::string_view user : {"*** ", "ZZ  "}) {
    frame::put_text(misc->xm_user_id, user);
    if (user == "ZZ  ") std::memset(misc->xm_sign_on_137, ' ', 450);
    EXPECT_EQ(act("LP"), "00");
    EXPECT_EQ(program.rights_code[0], '0') << user;
  }
}

struct UserIdCalls {
  static inline std::string answer = "00";
  static inline std::string seen;
  static inline bool had_message = false;
  static int32_t program(char* action, char* user_id, char* message) {
    seen = std::string(action, 2) + "/" + std::string(user_id, 4);
    had_message = message != nullptr;
    if (message != nullptr) std::memcpy(message, "99 user refused", 15);
    std::memcpy(action, answer.data(), 2);
    return 0;
  }
};

TEST_P(ProgramControlTest, SignOnLoadsPreferencesAndSignOffSavesAndClears) {
  auto form = runtime.open_form("OrgEdit", {0, 0, 50, 50});
  frame::clear(misc->xm_preferences);
  EXPECT_EQ(act("L*"), "00");
  EXPECT_EQ(std::string(misc->xm_preferences, 8), "SA      ") << "the default";

  frame::put_text(misc->xm_preferences, "NNY");
  frame::put_text(misc->xm_sign_on_87, "ACME");
  frame::put_text(misc->xm_sign_on_106, "Jane");
  std::memset(misc->xm_sign_on_137, 'P', 450);
  EXPECT_EQ(act("LX"), "00");
  for (auto field :
       {frame::ConstField(misc->xm_preferences), frame::ConstField(misc->xm_user_id),
        frame::ConstField(misc->xm_sign_on_87), frame::ConstField(misc->xm_sign_on_106),
        frame::ConstField(misc->xm_sign_on_137)}) {
    EXPECT_EQ(frame::trimmed(field), "");
  }
  EXPECT_EQ(misc->xm_filler_136[0], ' ') << "bytes between the sign-on fields are kept";

  sign_on(*misc, "AB", "001");
  EXPECT_EQ(act("L*"), "00");
  EXPECT_EQ(std::string(misc->xm_preferences, 8), "NNY     ");

  // The user-id program's answers.
  quarn_set_user_id_program(&UserIdCalls::program);
  for (std::string_view refusal : {"23", "XD"}) {
    auto refused = runtime.open_form("OrgEdit", {0, 0, 50, 50});
    UserIdCalls::answer = refusal;
    EXPECT_EQ(act("L*"), refusal);
    EXPECT_TRUE(refused->ended());
    EXPECT_EQ(UserIdCalls::seen, "L*/AB  ");
    EXPECT_FALSE(UserIdCalls::had_message);
  }
  runtime.clear_messages();
  UserIdCalls::answer = "99";
  frame::put_text(frame::Field(reinterpret_cast<char*>(&program.message), 64), "99 no such user");
  EXPECT_EQ(act("L*"), "99");
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "QUARN-Program-Control: QN-IDCTL STAT 99 no such user");

  for (std::string_view code : {"P4", "P9"}) {
    UserIdCalls::answer = "00";
    EXPECT_EQ(act(code), "00");
    EXPECT_EQ(UserIdCalls::seen, std::string(code) + "/AB  ");
    EXPECT_TRUE(UserIdCalls::had_message);
  }
  (void)form;
}

TEST_P(ProgramControlTest, PreferenceErrorIsShownAndPreferencesKept) {
  runtime.open_form("OrgEdit", {0, 0, 50, 50});
  set_home_folder(*misc, folder.path().string() + "/missing/");
  frame::put_text(misc->xm_preferences, "NQ");
  EXPECT_EQ(act("L*"), "00");
  EXPECT_EQ(std::string(misc->xm_preferences, 2), "NQ");
  ASSERT_EQ(runtime.messages().size(), 1u);
  EXPECT_EQ(runtime.messages()[0].text, "QUARN-Controls STAT 35>91 - OPEN: File Does Not Exist! |");
}

TEST_P(ProgramControlTest, MainWindowStoresTheWorkAreaAndCentres) {
  const struct {
    Rect area;
    std::int32_t form_width;
    std::int64_t top, left;
  } cases[] = {
      {{0, 30, 1000, 700}, 400, 30, 296},  // (1000 - 408) / 2
      {{0, 0, 101, 700}, 100, 0, -3},      // (101 - 108) / 2 truncates toward zero
  };
  for (const auto& c : cases) {
    runtime.set_work_area(c.area);
    auto form = runtime.open_form("Main", {500, 500, c.form_width, 300});
    EXPECT_EQ(act("\xFF\xFF"), "00");
    EXPECT_EQ(frame::read_le32(misc->xm_work_area_top), c.area.top);
    EXPECT_EQ(frame::read_le32(misc->xm_work_area_width), c.area.width);
    EXPECT_EQ(forms::number_property(*form, "Top"), c.top);
    EXPECT_EQ(forms::number_property(*form, "Left"), c.left);
    EXPECT_EQ(std::get<std::string>(*form->property("Caption")), "QUARN-OrgEdit #001  ");
  }
}

}  // namespace
}  // namespace quarn::testing
