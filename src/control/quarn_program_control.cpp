// QUARN-PROGRAM-CONTROL: what a form does at load, sign-on, sign-off and main-window start.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

#include "control/form_program.hpp"
#include "frame/codec.hpp"
#include "frame/ixiostat.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"

namespace quarn::control {
namespace {

using frame::ConstField;

// The windowing system's message-box styles, in the order the forms use them: 1 errors,
// ... 7 replace questions.
constexpr std::array<std::int32_t, kMessageBoxStyles> kStyleTable{16, 276, 321, 308, 563,
                                                                  64, 292, 36,  547};
constexpr std::int32_t kCriticalStyle = 16;

constexpr std::string_view kPreferenceSection = "PREFERENCE-OPTIONS";
constexpr std::string_view kDefaultPreferences = "SA";
constexpr std::string_view kNobody = "*** ";
constexpr std::size_t kProgramListEntry = 15;

enum class Action { kLoadForm, kLoadPlain, kSignOn, kSignOff, kMainWindow, kUserId, kInvalid };

Action action_of(const char (&code)[2]) {
  const std::string_view c(code, 2);
  if (c == "LF") return Action::kLoadForm;
  if (c == "LP") return Action::kLoadPlain;
  if (c == "L*") return Action::kSignOn;
  if (c == "LX") return Action::kSignOff;
  if (c == "\xFF\xFF") return Action::kMainWindow;
  if (c == "P4" || c == "P9") return Action::kUserId;
  return Action::kInvalid;
}

std::string up_to_space(ConstField field) {
  return std::string(field.data(), frame::first_space(field));
}

void build_caption(FormProgram& program) {
  std::string caption = "QUARN-" + up_to_space(program.program_id_name);
  if (frame::is_blank(program.form_id_name)) {
    caption += " ";
  } else {
    caption += "-" + up_to_space(program.form_id_name);
  }
  frame::put_text(program.caption, caption);
}

void show(FormProgram& program, std::string_view text, std::int32_t style) {
  forms::runtime().message_box(frame::trimmed(program.caption), text, style);
}

// The message area up to its "|" (the whole area when it has none).
std::string message_up_to_bar(const QuarnCtlMessage& message) {
  const std::string_view text(reinterpret_cast<const char*>(&message), sizeof message);
  return std::string(text.substr(0, text.find('|')));
}

// QN-IDCTL, the suite's user-id program, by name.
void call_user_id_program(FormProgram& program, char (&action)[2], QuarnXMiscExternalWs& misc,
                          bool with_message) {
  void* params[] = {action, misc.xm_user_id, &program.message};
  if (!frame::call_by_name("QN-IDCTL", std::span<void* const>(params, with_message ? 3 : 2))) {
    QUARN_RUNTIME_ERROR("QN-IDCTL not found");
  }
}

void start_fields(FormProgram& program) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto hundredths =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 /
      10;
  const std::int64_t parts[] = {
      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
      local.tm_min,         local.tm_sec,     hundredths};
  char* const at[] = {program.start_date,    program.start_date + 4, program.start_date + 6,
                      program.start_time,    program.start_time + 2, program.start_time + 4,
                      program.start_time + 6};
  for (std::size_t i = 0; i < std::size(parts); ++i) {
    frame::write_unsigned(frame::Field(at[i], i == 0 ? 4 : 2), parts[i]);
  }
  frame::clear(program.rights_code);
  program.form.reset();
  program.form = forms::runtime().active_form();
}

void load_preferences(FormProgram& program, QuarnXMiscExternalWs& misc) {
  QuarnControlRequest& request = program.request;
  frame::put_text(request.ctl_method, "GetUserStationControl");
  frame::put_text(request.ctl_section, kPreferenceSection);
  quarn_controls(program);
  const std::string_view status(request.ctl_status, 2);
  if (status == "23") {
    frame::put_text(request.ctl_value, kDefaultPreferences);
  } else if (status != "00") {
    show(program,
         "QUARN-Controls STAT " +
             std::string(frame::trimmed(ConstField(reinterpret_cast<const char*>(&program.message),
                                                   sizeof program.message))),
         kCriticalStyle);
    return;
  }
  std::memcpy(misc.xm_preferences, request.ctl_value, sizeof misc.xm_preferences);
}

void sign_off(FormProgram& program, QuarnXMiscExternalWs& misc) {
  QuarnControlRequest& request = program.request;
  frame::put_text(request.ctl_method, "SaveUserStationControl");
  frame::put_text(request.ctl_section, kPreferenceSection);
  frame::put_text(request.ctl_value, frame::trimmed(misc.xm_preferences));
  quarn_controls(program);
  frame::clear(misc.xm_preferences);
  frame::clear(misc.xm_user_id);
  frame::clear(misc.xm_sign_on_87);
  frame::clear(misc.xm_sign_on_106);
  frame::clear(misc.xm_sign_on_137);
}

void set_title(FormProgram& program, const QuarnXMiscExternalWs& misc) {
  if (!program.form) return;
  std::string title(frame::trimmed(program.caption));
  title += " #";
  title.append(misc.xm_station_no, sizeof misc.xm_station_no);
  title += " ";
  title += frame::trimmed(misc.xm_sign_on_87);
  title += " ";
  title += frame::trimmed(misc.xm_sign_on_106);
  program.form->set_property(forms::property::kCaption, std::string(title));
}

void store_work_area(QuarnXMiscExternalWs& misc) {
  const forms::Rect area = forms::runtime().work_area();
  frame::write_le32(misc.xm_work_area_top, area.top);
  frame::write_le32(misc.xm_work_area_left, area.left);
  frame::write_le32(misc.xm_work_area_width, area.width);
  frame::write_le32(misc.xm_work_area_height, area.height);
}

void centre_main_window(FormProgram& program, const QuarnXMiscExternalWs& misc) {
  if (!program.form) return;
  const std::int64_t width = forms::number_property(*program.form, forms::property::kWidth);
  const std::int64_t area_width = frame::read_le32(misc.xm_work_area_width);
  program.form->set_property(forms::property::kTop,
                             std::int64_t{frame::read_le32(misc.xm_work_area_top)});
  program.form->set_property(forms::property::kLeft, (area_width - (width + 8)) / 2);
}

void find_rights_code(FormProgram& program, const QuarnXMiscExternalWs& misc) {
  program.rights_code[0] = '0';
  const std::string_view user(misc.xm_user_id, sizeof misc.xm_user_id);
  if (user == kNobody || frame::is_blank(user)) return;
  char name[kProgramIdWidth];
  std::transform(
      std::begin(program.program_id_name), std::end(program.program_id_name), name,
      [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  const ConstField list(misc.xm_sign_on_137);
  for (std::size_t at = 0; at + kProgramListEntry <= list.size(); at += kProgramListEntry) {
    if (std::memcmp(list.data() + at, name, sizeof name) == 0) {
      program.rights_code[0] = list[at + sizeof name];
      return;
    }
  }
}

}  // namespace

void quarn_program_control(FormProgram& program, char (&action)[2]) {
  program.message_box_styles = kStyleTable;
  build_caption(program);
  const Action what = action_of(action);
  QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc == nullptr) return;

  if (what == Action::kUserId) {
    call_user_id_program(program, action, *misc, true);
    return;
  }
  if (what == Action::kInvalid) {
    std::memcpy(program.message.ctl_message_status, "XI", 2);
    frame::word_file_status(program.message);
    show(program,
         "QUARN-Program-Control: " + message_up_to_bar(program.message) + std::string(action, 2),
         kCriticalStyle);
    std::memcpy(action, "XI", 2);
    return;
  }
  if (what == Action::kMainWindow) store_work_area(*misc);
  if (what != Action::kSignOff) start_fields(program);

  if (what == Action::kSignOn) {
    call_user_id_program(program, action, *misc, false);
    const std::string_view result(action, 2);
    if (result == "23" || result == "XD") {
      if (program.form) program.form->end();
      return;
    }
    if (result != "00") {
      show(program,
           "QUARN-Program-Control: QN-IDCTL STAT " +
               std::string(frame::trimmed(ConstField(
                   reinterpret_cast<const char*>(&program.message), sizeof program.message))),
           kCriticalStyle);
      return;
    }
    load_preferences(program, *misc);
  }
  if (what == Action::kSignOff) sign_off(program, *misc);
  if (what != Action::kLoadPlain) set_title(program, *misc);
  if (what == Action::kLoadForm) {
    frame::put_text(program.request.ctl_method, "SetUserWindowLocation");
    quarn_controls(program);
  }
  if (what == Action::kMainWindow) centre_main_window(program, *misc);
  if (what == Action::kLoadForm || what == Action::kLoadPlain) find_rights_code(program, *misc);
  std::memcpy(action, "00", 2);
}

}  // namespace quarn::control
