// QUARN-CONTROL-FILE: settings per user and station in the indexed file "QUARN.CTL".
#include "control/quarn_control_file.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "frame/codec.hpp"
#include "frame/external.hpp"
#include "frame/ixiostat.hpp"
#include "frame/misc_area.hpp"
#include "frame/module.hpp"
#include "frame/program.hpp"

namespace quarn::control {
namespace {

using frame::ConstField;
using frame::Field;

constexpr std::string_view kFileName = "QUARN.CTL";
constexpr std::string_view kCreatedMessage =
    "05>00 - OPEN: NEW QUARN Control File has been created! ";
constexpr std::string_view kInvalidMethod = "XI=XX - I/O MODULE: Invalid Method ";
constexpr std::string_view kGeneralStation = "0000";

enum class Scope { kGeneral, kStation, kWindow };
enum class Operation { kRead, kSave };

struct Method {
  std::string_view name;
  Scope scope;
  Operation operation;
};

constexpr std::array<Method, 7> kMethods{{
    {"GetUserGeneralControl", Scope::kGeneral, Operation::kRead},
    {"SaveUserGeneralControl", Scope::kGeneral, Operation::kSave},
    {"GetUserStationControl", Scope::kStation, Operation::kRead},
    {"SaveUserStationControl", Scope::kStation, Operation::kSave},
    {"SetUserWindowLocation", Scope::kWindow, Operation::kRead},
    {"SaveUserWindowLocation", Scope::kWindow, Operation::kSave},
    {"CloseForm", Scope::kWindow, Operation::kSave},
}};

// The method whose name, padded to 24 characters, equals the field.
const Method* find_method(ConstField field) {
  const std::string_view name = frame::trimmed(field);
  for (const Method& m : kMethods) {
    if (name == m.name) return &m;
  }
  return nullptr;
}

// The control file of the process: opened at the first request, kept open to the end.
struct ControlFile {
  platform::IndexedFile file{{sizeof(QuarnCtlflRecord), 0, 48}};
  QuarnCtlflRecord record{};
  bool shutdown_registered = false;
};

// Never destroyed: the runtime's shutdown work may run after static destructors.
ControlFile& state() {
  static ControlFile* const control = new ControlFile;
  return *control;
}

QuarnCtlflExternalValues* ctlfl_area() {
  static frame::KeptArea<QuarnCtlflExternalValues> area("QUARN-CTLFL-EXTERNAL-VALUES");
  return area.get();
}

void set_status(QuarnCtlflExternalValues& area, platform::FileStatus status) {
  frame::put_text(area.qc_status, status);
}

Field whole(QuarnCtlMessage& message) {
  return Field(reinterpret_cast<char*>(&message), sizeof message);
}

// The file's error procedure: the status as reported and its wording go into the message,
// and the file status becomes the general status that IXIOSTAT names.
void error_procedure(QuarnCtlflExternalValues& area, QuarnCtlMessage& message) {
  std::memcpy(message.ctl_message_status, area.qc_status, 2);
  frame::word_file_status(message);
  std::memcpy(area.qc_status, message.ctl_message_text + 1, 2);
}

// The name under which the file is opened: the path of the area without its quotes.
std::string_view unquoted(ConstField path) {
  std::string_view name = frame::trimmed(path);
  if (!name.empty() && name.front() == '"') name.remove_prefix(1);
  if (!name.empty() && name.back() == '"') name.remove_suffix(1);
  return name;
}

// Opens the control file when the process has not opened it yet. False (with the status
// and message set, and the path cleared so that the next request tries again) when the
// open fails.
bool ensure_open(QuarnCtlflExternalValues& area, const QuarnXMiscExternalWs& misc,
                 QuarnCtlMessage& message) {
  ControlFile& control = state();
  // Spaces mark the file not open; so do the zero bytes of an area nobody has set yet.
  if (std::all_of(std::begin(area.qc_path), std::end(area.qc_path),
                  [](char c) { return c == ' ' || c == '\0'; })) {
    // A home folder filled by a COBOL MOVE is padded with spaces rather than ended by a
    // zero byte; those spaces are not part of the name.
    const std::string path = "\"" + frame::home_folder(misc) + std::string(kFileName) + "\"";
    frame::put_text(area.qc_path, path);
  }
  const std::string_view name = unquoted(area.qc_path);
  // A file put in the place of the open one (a restore, an import) is opened again.
  if (control.file.is_open() && control.file.path() == name && !control.file.replaced()) {
    return true;
  }
  control.file.close();

  const platform::FileStatus opened =
      control.file.open(std::string(name), platform::OpenMode::kInputOutput);
  set_status(area, opened);
  if (opened == platform::status::kCreated) {
    frame::put_text(whole(message), kCreatedMessage);
    set_status(area, platform::status::kOk);
  }
  if (opened != platform::status::kOk && opened != platform::status::kCreated) {
    error_procedure(area, message);
    frame::clear(area.qc_path);
    return false;
  }
  if (!control.shutdown_registered) {
    control.shutdown_registered = true;
    frame::on_runtime_shutdown([] { state().file.close(); });
  }
  return true;
}

void put_station_key(QuarnCtlflRecord& record, const QuarnXMiscExternalWs& misc, Scope scope) {
  if (scope == Scope::kGeneral) {
    frame::put_text(record.ctlfl_station, kGeneralStation);
    return;
  }
  record.ctlfl_station[0] = '0';
  std::memcpy(record.ctlfl_station + 1, misc.xm_station_no, 3);
  // A sign zone on the last digit is dropped: the key holds plain digits.
  record.ctlfl_station[3] = static_cast<char>((record.ctlfl_station[3] & 0x0F) | 0x30);
}

}  // namespace

std::array<char, kWindowKeyWidth> window_key(const ProgramNames& names) {
  std::string key(names.program_id_name.substr(0, frame::first_space(names.program_id_name)));
  const std::string_view form = names.form_id_name;
  if (!frame::is_blank(form)) key += "-" + std::string(form.substr(0, frame::first_space(form)));
  key += "-WINDOW";
  std::array<char, kWindowKeyWidth> field;
  frame::put_text(field, key);
  return field;
}

void control_file(QuarnControlRequest& request, QuarnCtlMessage& message,
                  const ProgramNames& names) {
  QuarnCtlflExternalValues* area = ctlfl_area();
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  if (area == nullptr || misc == nullptr) {
    // The areas clash with blocks of other sizes; a run-time error has been reported.
    frame::put_text(request.ctl_status, "XX");
    return;
  }
  frame::put_text(request.ctl_status, platform::status::kOk);
  set_status(*area, platform::status::kOk);

  const Method* method = find_method(request.ctl_method);
  if (method == nullptr) {
    set_status(*area, "XX");
    const ConstField name(request.ctl_method);
    std::string text(kInvalidMethod);
    text.append(name.data(), frame::first_space(name));
    text += "!";
    frame::put_text(whole(message), text);
    std::memcpy(request.ctl_status, area->qc_status, 2);
    return;
  }
  if (method->operation == Operation::kRead) frame::clear(request.ctl_value);

  if (ensure_open(*area, *misc, message)) {
    QuarnCtlflRecord& record = state().record;
    std::memcpy(record.ctlfl_user, misc->xm_user_id, sizeof record.ctlfl_user);
    put_station_key(record, *misc, method->scope);
    if (method->scope == Scope::kWindow) {
      const auto key = window_key(names);
      std::memcpy(request.ctl_section, key.data(), key.size());
    }
    std::memcpy(record.ctlfl_section, request.ctl_section, sizeof record.ctlfl_section);
    frame::clear(record.ctlfl_subsection);
    platform::IndexedFile& file = state().file;
    const Field bytes(reinterpret_cast<char*>(&record), sizeof record);

    platform::FileStatus result;
    bool handled = false;
    if (method->operation == Operation::kRead) {
      result = file.read(bytes);
      handled = result == platform::status::kNotFound;
      if (result == platform::status::kOk) {
        std::memcpy(request.ctl_value, record.ctlfl_value, sizeof request.ctl_value);
      }
    } else {
      std::memcpy(record.ctlfl_value, request.ctl_value, sizeof record.ctlfl_value);
      if (frame::is_blank(request.ctl_value)) {
        result = file.remove(bytes);
        handled = result == platform::status::kNotFound;
      } else {
        // A write, turned into a rewrite when the setting exists.
        result = file.write_or_rewrite(bytes);
      }
    }
    set_status(*area, result);
    if (result != platform::status::kOk && !handled) error_procedure(*area, message);
  }
  std::memcpy(request.ctl_status, area->qc_status, 2);
}

std::array<char, 2> browse_control_file(QuarnCtlflRecord& record, bool after) {
  QuarnCtlflExternalValues* area = ctlfl_area();
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  if (area == nullptr || misc == nullptr) return {'X', 'X'};
  QuarnCtlMessage message;
  if (ensure_open(*area, *misc, message)) {
    platform::IndexedFile& file = state().file;
    const Field bytes(reinterpret_cast<char*>(&record), sizeof record);
    platform::FileStatus result = file.start(bytes.first(48), after);
    if (result == platform::status::kOk) result = file.read_next(bytes);
    set_status(*area, result);
  }
  return {area->qc_status[0], area->qc_status[1]};
}

void close_control_file() {
  state().file.close();
  if (QuarnCtlflExternalValues* area = ctlfl_area()) {
    frame::clear(area->qc_path);
    frame::clear(area->qc_status);
  }
}

void set_control_file_busy_timeout(int milliseconds) {
  state().file.set_busy_timeout(milliseconds);
}

}  // namespace quarn::control
