// QNBK-FOLDER: backs up the files of one folder (not its sub-folders) into a destination
// folder, copied one by one (XCOPY) or zipped into one file named after the folder and the
// date and time (ZIP.EXE), and can hand the zip file to the cloud backup tool. It checks and
// prepares the folders and runs those programs through START-EXE; every backup attempt ends
// the form. Presets and the result pass through QNBK-PARAMETERS.
//
// The cloud tool takes the zip file, so with the cloud option on (or the caller's cloud
// flag) the backup is always a zip backup: the zip option is checked and cannot be switched
// off until the cloud option is.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "control/form_program.hpp"
#include "forms/form_call.hpp"
#include "forms/loader.hpp"
#include "forms/qnbk_folder/qnbk_folder_form.hpp"
#include "forms/shared/form_services.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/external.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/clock.hpp"
#include "platform/files.hpp"
#include "platform/process.hpp"
#include "platform/replace_file.hpp"
#include "system/start_request.hpp"

namespace quarn {
namespace {

using forms::Form;
using forms::Value;
namespace property = forms::property;
namespace ui = forms::qnbk_folder::control;

constexpr std::size_t kFolderWidth = forms::qnbk_folder::kFolderWidth;
// A command line and its final zero byte fit into START-EXE's 255 characters.
constexpr std::size_t kLongestLine = 254;
constexpr std::string_view kMarker = "QNBK";
constexpr std::string_view kSourceSetting = "LAST-QNBK-SOURCE-FOL";
constexpr std::string_view kDestinationSetting = "LAST-QNBK-DEST-FOLDE";
constexpr std::string_view kCloudSetting = "QNBK-CLOUD-FLAG";
constexpr std::string_view kZipPatterns = "*orgfile.* *.adb *.dn* *.gl* *.pa* *.rm* *.mdb*";
constexpr std::string_view kCloudTool = "PGMS\\BAK\\CBackup.exe";
constexpr std::string_view kCloudAccess = "KRV274";
constexpr std::int64_t kTimerInterval = 100;  // milliseconds

// Message-box styles of program control: errors, information, questions with Yes or No
// preset.
constexpr std::size_t kErrorStyle = 0;
constexpr std::size_t kInformationStyle = 5;
constexpr std::size_t kQuestionNoStyle = 6;
constexpr std::size_t kQuestionYesStyle = 7;

enum class Outcome { kDone, kDeclined, kFailed };

struct State {
  control::FormProgram program;
  QuarnQnbkParameters work;  // the caller's area, copied in at open and back at close
  system::StartRequest start;
  bool zip = false;
  bool cloud = false;         // the option, as stored under QNBK-CLOUD-FLAG
  bool caller_cloud = false;  // the caller's cloud flag, with the marker
  bool backed_up = false;
  forms::Rect place;
};
State state;

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

bool marked() {
  return frame::text_of(state.work.qnbk_marker) == kMarker;
}

bool cloud_on() {
  return state.cloud || state.caller_cloud;
}

std::string quoted(std::string_view path) {
  return platform::process::quoted_argument(path, true);
}

void show(std::string_view text, std::size_t style) {
  forms::runtime().message_box(frame::trimmed(state.program.caption), text,
                               state.program.message_box_styles[style]);
}

bool ask(std::string_view text, std::size_t style) {
  return forms::runtime().message_box(frame::trimmed(state.program.caption), text,
                                      state.program.message_box_styles[style]) ==
         forms::message_box::kYes;
}

Outcome fail(std::string_view text) {
  show(text, kErrorStyle);
  return Outcome::kFailed;
}

// ---- the control file's settings ----

std::string read_setting(std::string_view section) {
  QuarnControlRequest& request = state.program.request;
  frame::put_text(request.ctl_method, "GetUserGeneralControl");
  frame::put_text(request.ctl_section, section);
  frame::clear(request.ctl_value);
  control::quarn_controls(state.program);
  if (frame::text_of(request.ctl_status) != "00") return {};
  return std::string(frame::trimmed(request.ctl_value));
}

void save_setting(std::string_view section, std::string_view value) {
  QuarnControlRequest& request = state.program.request;
  frame::put_text(request.ctl_method, "SaveUserGeneralControl");
  frame::put_text(request.ctl_section, section);
  frame::put_text(request.ctl_value, value);
  control::quarn_controls(state.program);
}

// ---- folders ----

// CHECKPATH by name on a folder; its two-character result.
std::string check_path(std::string_view folder, char create) {
  QuarnCheckpathRecord check;
  frame::put_text(check.cp_path, folder);
  check.cp_create_flag[0] = create;
  frame::put_text(check.cp_status, "");
  void* params[] = {&check};
  if (!frame::call_by_name("CHECKPATH", params)) QUARN_RUNTIME_ERROR("CHECKPATH is not there");
  return std::string(frame::text_of(check.cp_status));
}

std::string home_folder() {
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  return misc != nullptr ? frame::home_folder(*misc) : std::string();
}

// A folder of the home folder, written with the home folder's separator.
std::string home_child(std::string_view name) {
  const std::string home = home_folder();
  return home + std::string(name) + (!home.empty() && home.back() == '/' ? "/" : "\\");
}

std::string field_text(Form& form, std::string_view control) {
  std::string text = forms::control_text(form, control);
  if (text.size() > kFolderWidth) text.resize(kFolderWidth);
  return std::string(frame::trimmed(std::span<const char>(text.data(), text.size())));
}

// The last part of a folder: what follows the last separator or colon before its final
// separator ("C:\DATA\CO1\" gives "CO1").
std::string folder_name(std::string_view folder) {
  if (!folder.empty() && is_separator(folder.back())) folder.remove_suffix(1);
  const std::size_t cut = folder.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? folder : folder.substr(cut + 1));
}

// " (YYYY-MM-DD hhmm)"
std::string stamp() {
  const platform::LocalTime now = platform::local_now();
  char text[] = " (YYYY-MM-DD hhmm)";
  frame::write_unsigned(frame::Field(text + 2, 4), now.year);
  frame::write_unsigned(frame::Field(text + 7, 2), now.month);
  frame::write_unsigned(frame::Field(text + 10, 2), now.day);
  frame::write_unsigned(frame::Field(text + 13, 2), now.hour);
  frame::write_unsigned(frame::Field(text + 15, 2), now.minute);
  return std::string(text, sizeof text - 1);
}

// ---- the form's options ----

void show_options(Form& form) {
  if (cloud_on()) state.zip = true;
  form.set_control_property(ui::kZip, property::kChecked, Value(std::int64_t{state.zip ? 1 : 0}));
  form.set_control_property(ui::kZip, property::kEnabled, Value(std::int64_t{cloud_on() ? 0 : 1}));
  form.set_control_property(ui::kCloud, property::kChecked,
                            Value(std::int64_t{cloud_on() ? 1 : 0}));
  form.set_control_property(
      ui::kNote, property::kCaption,
      Value(std::string(state.zip ? forms::qnbk_folder::kZipNote : forms::qnbk_folder::kCopyNote)));
}

// ---- the backup ----

// The old zip file of the same name, kept under another name until the new one exists, so
// that a failed backup does not lose the previous one.
class SetAside {
 public:
  // Moves `file` to a free name beside it; false when it cannot be moved.
  bool take(const std::string& file) {
    namespace files = platform::files;
    const auto taken = [](const std::string& name) {
      return files::is_file(name) || files::is_folder(name);
    };
    for (int n = 1; n < 100; ++n) {
      const std::string name = file + ".old" + (n > 1 ? std::to_string(n) : std::string());
      if (taken(name)) continue;
      // A second name, then the first one removed, so that a name taken meanwhile is never
      // replaced; a file system without hard links gets the file renamed.
      if (files::link_file(file, name) == platform::status::kOk) {
        if (files::remove_file(file) != platform::status::kOk) {
          files::remove_file(name);
          return false;
        }
      } else if (taken(name) || files::rename_file(file, name) != platform::status::kOk) {
        return false;
      }
      file_ = file;
      aside_ = name;
      return true;
    }
    return false;
  }
  // The new file exists: the old one goes.
  void discard() {
    if (!aside_.empty()) platform::files::remove_file(aside_);
    aside_.clear();
  }
  // Puts the old file back unless a new one took its name.
  ~SetAside() {
    if (aside_.empty()) return;
    if (!platform::files::is_file(file_)) platform::files::rename_file(aside_, file_);
  }

 private:
  std::string file_;
  std::string aside_;
};

// Runs a command line through START-EXE, waiting for its end; false when it did not start.
bool run(std::string_view line, std::int16_t window_mode, std::int32_t* exit_code = nullptr) {
  const bool started = state.start.run(line, window_mode, 1) != 0;
  if (exit_code != nullptr) *exit_code = frame::read_le32(state.start.exit_code);
  return started;
}

Outcome copy_files(const std::string& folder, const std::string& destination) {
  show("Copying files from " + folder + " to " + destination, kInformationStyle);
  const std::string line = "XCOPY " + quoted(folder + "*.*") + " " + quoted(destination);
  if (line.size() > kLongestLine) return fail("ERROR: Backup failed. Folder paths are too long!");
  // The copy program's own failure (it could not read or write a file) fails the backup as
  // well; "no file matched" (1) does not.
  std::int32_t code = 0;
  if (!run(line, 1, &code) || code > 1)
    return fail("ERROR: Failed to copy file(s). Aborting backup!");
  show("Files from " + folder + " have been successfully copied to folder " + destination,
       kInformationStyle);
  return Outcome::kDone;
}

Outcome zip_files(const std::string& folder, const std::string& destination) {
  const std::string file = destination + folder_name(folder) + stamp() + ".zip";
  SetAside old;
  if (platform::files::is_file(file)) {
    if (!ask("The folder zip file " + file +
                 " already exists in the backup destination location. "
                 "Do you want to replace the old backup zip file?",
             kQuestionNoStyle))
      return Outcome::kDeclined;
    if (!old.take(file))
      return fail("ERROR: Failed to delete file: " + file + "--Aborting the backup.");
  }
  show("Creating folder zip file " + file, kInformationStyle);
  const std::string line = "ZIP.EXE -9oqj " + quoted(file) + " " + quoted(folder + "*.*") + " -i " +
                           std::string(kZipPatterns);
  if (line.size() > kLongestLine) return fail("ERROR: Backup failed. Folder paths are too long!");
  if (!run(line, 2))
    return fail("ERROR: Backup failed.  ZIP.EXE may not be installed in QUARN folder!");
  if (!platform::files::is_file(file))
    return fail("ERROR: Backup destination ZIP file: " + file + " was not created.");
  old.discard();
  show("Backup ZIP file " + file +
           " has been successfully created and contains zipped files from " + folder,
       kInformationStyle);

  if (!cloud_on()) return Outcome::kDone;
  const std::string cloud =
      std::string(kCloudTool) + " " + quoted(file) + " " + std::string(kCloudAccess);
  if (cloud.size() > kLongestLine || !run(cloud, 2)) return fail("ERROR: Cloud backup failed.");
  return Outcome::kDone;
}

// The destination is there and can be written to, made with the user's consent when it is
// missing.
Outcome prepare_destination(const std::string& destination) {
  std::string status = check_path(destination, ' ');
  // A folder that is not there cannot be probed: it is offered for creating.
  if (status == "73" || (status == "74" && !platform::files::is_folder(destination))) {
    if (!ask("The backup destination folder path " + destination +
                 " does not exist.  Do you want to create it?",
             kQuestionYesStyle))
      return Outcome::kDeclined;
    status = check_path(destination, 'Y');
    if (status == "73") status = "00";  // created
  }
  const std::string opening = "ERROR: The backup destination folder path [" + destination + "]";
  if (status == "00") return Outcome::kDone;
  if (status == "74") return fail(opening + " could not be created.  Use another destination.");
  if (status == "75") return fail(opening + " cannot be used (insufficient rights).");
  if (status == "79") return fail(opening + " is invalid.  Use another destination.");
  return fail(opening + " returned an error STATUS=" + status + ".  CONTACT SUPPORT!");
}

Outcome back_up(Form& form) {
  // 1-2. The folder to back up.
  const std::string folder = marked() ? std::string(frame::zero_ended(state.work.qnbk_folder))
                                      : field_text(form, ui::kSource);
  if (folder.empty()) return fail("ERROR: \"Folder to Backup\" has not been specified.");
  if (!is_separator(folder.back()))
    return fail("ERROR: Folder to Backup [" + folder + "] must end with \"\\\"");
  if (const std::string status = check_path(folder, ' '); status != "00") {
    if (status == "74" || status == "79")
      return fail("ERROR: \"Folder to Backup\" [" + folder + "] cannot be resolved.");
    return fail("ERROR: Folder to Backup [" + folder + "] is INVALID (Error=" + status + ").");
  }

  // 3-4. The destination.
  std::string destination = field_text(form, ui::kDestination);
  if (destination.empty()) return fail("ERROR: Backup destination folder path is missing.");
  if (destination.size() == 2 && std::isalpha(static_cast<unsigned char>(destination[0])) &&
      destination[1] == ':')
    destination += '\\';
  if (!is_separator(destination.back()))
    return fail("ERROR: Backup destination folder path [" + destination + "] must end with \"\\\"");
  if (destination == folder)
    return fail("ERROR: The destinantion folder cannot be the same as the Source folder");
  if (const Outcome prepared = prepare_destination(destination); prepared != Outcome::kDone)
    return prepared;

  // 5-6. Copied or zipped.
  const Outcome outcome =
      state.zip ? zip_files(folder, destination) : copy_files(folder, destination);
  if (outcome == Outcome::kDone) {
    // Settings hold 100 characters: a longer folder is not remembered cut short.
    if (folder.size() <= sizeof state.program.request.ctl_value)
      save_setting(kSourceSetting, folder);
    if (destination.size() <= sizeof state.program.request.ctl_value)
      save_setting(kDestinationSetting, destination);
  }
  return outcome;
}

// ---- closing ----

void close_form(Form& form) {
  if (frame::is_blank(state.work.qnbk_result)) frame::put_text(state.work.qnbk_result, "01");
  if (auto* area = frame::external<QuarnQnbkParameters>("QNBK-PARAMETERS"))
    std::memcpy(area, &state.work, sizeof state.work);
  state.place = forms::form_place(form);
  frame::put_text(state.program.request.ctl_method, "CloseForm");
  control::quarn_controls(state.program);
  form.end();
}

// Every attempt ends the form, after its last message.
void backup_and_close(Form& form) {
  const Outcome outcome = back_up(form);
  state.backed_up = outcome == Outcome::kDone;
  frame::put_text(state.work.qnbk_result, state.backed_up                 ? "00"
                                          : outcome == Outcome::kDeclined ? "01"
                                                                          : "02");
  close_form(form);
}

// ---- the events ----

class QnbkFolderEvents final : public forms::FormEvents {
 public:
  void load(Form& form) override {
    if (const auto* area = frame::external<QuarnQnbkParameters>("QNBK-PARAMETERS")) {
      std::memcpy(&state.work, area, sizeof state.work);
    } else {
      std::memset(&state.work, ' ', sizeof state.work);
    }
    frame::clear(state.work.qnbk_result);
    frame::put_text(state.program.program_id_name, "QNBK-Folder");
    frame::clear(state.program.form_id_name);
    char action[2] = {'L', 'F'};
    control::quarn_program_control(state.program, action);
    if (std::string_view(action, 2) != "00") show("QUARN-Program-Control FAILED!", kErrorStyle);

    // The settings, then the folders in the order the caller and the settings give them.
    const std::string last_source = read_setting(kSourceSetting);
    const std::string last_destination = read_setting(kDestinationSetting);
    state.cloud = read_setting(kCloudSetting) == "CLOUD=Y";
    if (!marked()) state.work.qnbk_cloud_flag[0] = ' ';
    state.caller_cloud = marked() && state.work.qnbk_cloud_flag[0] == 'Y';

    std::string folder = std::string(frame::zero_ended(state.work.qnbk_folder));
    if (!marked()) folder = !last_source.empty() ? last_source : home_child("DATA");
    std::string destination = std::string(frame::zero_ended(state.work.qnbk_destination));
    if (destination.empty()) destination = last_destination;
    if (destination.empty()) {
      destination = home_child("BACKUP");
      check_path(destination, 'Y');  // so that the proposal exists before it is shown
    }
    form.set_control_property(ui::kSource, property::kText, Value(folder));
    form.set_control_property(ui::kDestination, property::kText, Value(destination));
    show_options(form);

    // A caller's folder is backed up at once, from the timer's first tick.
    if (marked()) {
      form.set_control_property(ui::kBackupTimer, property::kInterval, Value(kTimerInterval));
      form.set_control_property(ui::kBackupTimer, property::kEnabled, Value(std::int64_t{1}));
    }
  }

  void timer(Form& form, std::string_view name) override {
    if (name != ui::kBackupTimer) return;
    form.set_control_property(ui::kBackupTimer, property::kEnabled, Value(std::int64_t{0}));
    backup_and_close(form);
  }

  void click(Form& form, std::string_view name) override {
    if (name == ui::kBackup) {
      backup_and_close(form);
    } else if (name == ui::kExit) {
      close_form(form);
    } else if (name == ui::kSourceBrowse) {
      browse(form, ui::kSource, "Folder to Backup", "SOURCE");
    } else if (name == ui::kDestinationBrowse) {
      browse(form, ui::kDestination, "Destination Location for Backup", "DESTINATION");
    } else if (name == ui::kZip) {
      state.zip = forms::control_number(form, ui::kZip, property::kChecked) != 0;
      show_options(form);
    } else if (name == ui::kCloud) {
      state.cloud = forms::control_number(form, ui::kCloud, property::kChecked) != 0;
      save_setting(kCloudSetting, state.cloud ? "CLOUD=Y" : "CLOUD=N");
      show_options(form);
    } else if (name == ui::kHelp) {
      help();
    } else if (name == ui::kPrintScreen) {
      if (!forms::print_form(form, home_folder() + "QNBK-FOLDER-SCREEN"))
        show("The screen could not be printed.", kErrorStyle);
    }
  }

  void close_request(Form& form) override { close_form(form); }

 private:
  // The folder dialog over the browse fields of X-MISC-EXTERNAL-WS; the folder chosen goes
  // into the text with a final separator.
  static void browse(Form& form, std::string_view control, std::string_view title,
                     std::string_view selector) {
    QuarnXMiscExternalWs* misc = frame::misc_area();
    if (misc == nullptr) return;
    const std::string current = field_text(form, control);
    frame::put_text(misc->xm_browse_path, current);
    frame::put_text(misc->xm_browse_title, title);
    frame::put_text(std::span<char>(misc->xm_browse_folder, 11), selector);
    std::optional<std::string> chosen = forms::runtime().browse_folder(title, current);
    if (chosen && !chosen->empty() && !is_separator(chosen->back())) *chosen += '\\';
    const bool ok = chosen && !chosen->empty() && chosen->size() <= kFolderWidth;
    frame::write_unsigned(misc->xm_browse_result, ok ? 1 : 0);
    if (!ok) return;
    frame::put_text(misc->xm_browse_path, *chosen);
    form.set_control_property(control, property::kText, Value(*chosen));
  }

  static void help() { forms::open_help("QUARN.CHM", "QUARN_BackupFolder.htm", ""); }
};

// The sixth parameter is reserved and not read.
std::int32_t qnbk_folder(QuarnFormOwner* owner, std::int32_t* modal_style, std::int32_t* outcome,
                         QuarnFormPlace* place, char* runtime_name, char*) {
  const forms::FormCall call(owner, modal_style, outcome, place, runtime_name);
  forms::Runtime& runtime = forms::form_runtime();
  state.backed_up = false;
  state.zip = false;
  QnbkFolderEvents events;
  state.place = call.options().place;
  runtime.run_form(forms::qnbk_folder::kForm, events, call.options());
  state.program.form.reset();
  call.finish(state.backed_up, state.place, runtime.kind());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((QNBK, FOLDER), quarn::qnbk_folder, 0, (owner, QuarnFormOwner),
              (modal_style, std::int32_t), (outcome, std::int32_t), (place, QuarnFormPlace),
              (runtime, char[8]), (reserved, char[4]));
