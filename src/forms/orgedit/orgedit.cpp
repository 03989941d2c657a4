// ORGEDIT: the organisation data of one data folder, kept in its six-line file ORGFILE.
// With a folder from the caller the form loads that folder's ORGFILE and Save writes it and
// closes; without one the user opens an ORGFILE through File > Open (FLBROWSE), and Save
// writes it and empties the form for the next one.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "control/form_program.hpp"
#include "forms/form_call.hpp"
#include "forms/loader.hpp"
#include "forms/orgedit/countries.hpp"
#include "forms/orgedit/orgedit_form.hpp"
#include "forms/shared/form_services.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/external.hpp"
#include "frame/ixiostat.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/lineseq.hpp"
#include "platform/replace_file.hpp"

namespace quarn {
namespace {

using forms::Form;
using forms::Value;
namespace property = forms::property;
namespace ui = forms::orgedit::control;

constexpr std::size_t kPathWidth = 100;
constexpr std::size_t kLineWidth = 40;
constexpr std::string_view kFileName = "ORGFILE";
constexpr std::string_view kSelectCountry = "--Select Country--";
constexpr char kPromptCode = '8';

// The organisation-data area: lines 1-4, line 5 positions 1-36, line 6 positions 1-6.
struct OrgData {
  char lines[4][kLineWidth];
  char country[2];
  char reserved_3[1];
  char federal_id[9];
  char reserved_13[3];
  char state_id[9];
  char reserved_25[2];
  char ebank_id[10];
  char org_mast_id[6];
};
static_assert(sizeof(OrgData) == 202);

struct State {
  control::FormProgram program;
  char path[kPathWidth];           // the ORGFILE path
  char caller_folder[kPathWidth];  // from X-MISC-EXTERNAL-WS at open
  char save_mode = 'S';            // "S" Save, "A" Save As
  char error_flag = ' ';           // "X": the last save failed
  OrgData data;
  QuarnIxiostatRecord status_message;
  bool saved = false;  // an ORGFILE was written during this opening
  forms::Rect place;   // where the form was when it closed
};
State state;

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

std::string trimmed_text(std::span<const char> field) {
  return std::string(frame::trimmed(field));
}

// ---- the path ----

// Cuts the path after its last separator and names the ORGFILE there: the first separator
// followed by seven spaces becomes that separator and "ORGFILE". No separator: all spaces.
void name_orgfile(char (&path)[kPathWidth]) {
  std::size_t i = kPathWidth;
  while (i > 0 && !is_separator(path[i - 1]))
    --i;
  std::fill(path + i, path + kPathWidth, ' ');
  const std::string_view text(path, kPathWidth);
  for (std::size_t at = 0; at + 8 <= kPathWidth; ++at) {
    if (is_separator(text[at]) && text.substr(at + 1, 7) == "       ") {
      std::memcpy(path + at + 1, kFileName.data(), kFileName.size());
      return;
    }
  }
}

// Back to the folder: the file name after the last separator becomes spaces.
void cut_to_folder(char (&path)[kPathWidth]) {
  std::size_t i = kPathWidth;
  while (i > 0 && !is_separator(path[i - 1]))
    --i;
  if (i > 0) std::fill(path + i, path + kPathWidth, ' ');
}

std::string folder_of(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(0, separator + 1));
}

// ---- the form's fields ----

std::string country_item(std::string_view row) {
  const std::string_view code = row.substr(0, 2);
  std::string_view name = row.substr(3);
  name = name.substr(0, std::min<std::size_t>(name.find('%'), 37));
  return std::string(name) + " (" + std::string(code) + ")";
}

// The list index of a stored code: the first row with it, or 0 ("--Select Country--").
std::int64_t country_index(std::string_view code) {
  for (std::size_t i = 0; i < forms::orgedit::kCountries.size(); ++i)
    if (forms::orgedit::kCountries[i].substr(0, 2) == code) return static_cast<std::int64_t>(i) + 1;
  return 0;
}

std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  while (true) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

void set_text(Form& form, std::string_view name, std::string text) {
  form.set_control_property(name, property::kText, Value(std::move(text)));
}

void set_caption(Form& form, std::string_view name, std::string text) {
  form.set_control_property(name, property::kCaption, Value(std::move(text)));
}

void set_enabled(Form& form, std::string_view name, bool enabled) {
  form.set_control_property(name, property::kEnabled, Value(std::int64_t{enabled ? 1 : 0}));
}

void set_title(Form& form, std::string_view title) {
  form.set_property(property::kCaption,
                    Value(std::string(title.empty() ? forms::orgedit::kTitle : title)));
}

// The area into the controls.
void refresh(Form& form) {
  std::string block;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i > 0) block += '\n';
    block += trimmed_text(state.data.lines[i]);
  }
  set_text(form, ui::kOrgData, block);
  set_text(form, ui::kIds,
           trimmed_text(state.data.federal_id) + '\n' + trimmed_text(state.data.state_id) + '\n' +
               trimmed_text(state.data.ebank_id));
  set_text(form, ui::kOrgMastId, trimmed_text(state.data.org_mast_id));
  form.set_control_property(ui::kCountry, property::kListIndex,
                            Value(country_index(frame::text_of(state.data.country))));
  if (frame::is_blank(state.data.org_mast_id)) set_caption(form, ui::kOrgMastName, "");
}

// The data controls and the Save items: usable once there is an ORGFILE to work on.
void set_editable(Form& form, bool editable) {
  for (const std::string_view name : {ui::kOrgData, ui::kCountry, ui::kIds, ui::kOrgMastId,
                                      ui::kLookup, ui::kSave, ui::kFileSave, ui::kFileSaveAs})
    set_enabled(form, name, editable);
  form.set_control_property(ui::kMessage, property::kAlignment, Value(std::int64_t{2}));
  set_caption(form, ui::kMessage,
              editable ? std::string() : std::string(forms::open_file_prompt(kPromptCode)));
}

void clear_data() {
  std::memset(&state.data, ' ', sizeof state.data);
}

void show_message(std::string_view text, std::size_t style_entry) {
  forms::runtime().message_box(frame::trimmed(state.program.caption), text,
                               state.program.message_box_styles[style_entry]);
}

// ---- the file's error procedure ----

// Words a failed ORGFILE operation through IXIOSTAT; false when IXIOSTAT cannot be called
// (the form is then ended, after its message).
bool word_status(Form& form, platform::FileStatus status) {
  frame::put_text(state.status_message.ix_status_code, status);
  frame::clear(state.status_message.ix_status_message);
  if (!frame::word_file_status(state.status_message)) {
    frame::clear(state.status_message.ix_status_message);
    show_message("XX=XX - IXIOSTAT call error (original STAT=" + std::string(status) + ")!", 0);
    form.end();
    return false;
  }
  return true;
}

// The worded message up to its line break.
std::string status_text() {
  std::string_view message = frame::trimmed(state.status_message.ix_status_message);
  return std::string(message.substr(0, message.find('|')));
}

// ---- load ----

void lookup_master(Form& form);

void load(Form& form) {
  clear_data();
  name_orgfile(state.path);
  const std::string path = trimmed_text(state.path);

  platform::lineseq::LineReader reader;
  const platform::FileStatus opened = reader.open(path);
  if (opened != platform::status::kOk) {
    if (word_status(form, opened)) show_message("ERROR opening " + path + "|" + status_text(), 0);
    cut_to_folder(state.path);
    set_title(form, trimmed_text(state.path));
    refresh(form);
    return;
  }
  set_title(form, path);
  const std::array<std::span<char>, 6> parts{
      std::span<char>(state.data.lines[0]),    std::span<char>(state.data.lines[1]),
      std::span<char>(state.data.lines[2]),    std::span<char>(state.data.lines[3]),
      std::span<char>(state.data.country, 36), std::span<char>(state.data.org_mast_id)};
  for (const std::span<char> part : parts) {
    std::string line;
    if (reader.read(line) != platform::status::kOk) continue;  // leaves the part blank
    std::array<char, kLineWidth> record;
    platform::lineseq::pad_to_record(line, record);
    std::copy_n(record.begin(), part.size(), part.begin());
  }
  reader.close();
  refresh(form);
  if (!frame::is_blank(state.data.org_mast_id)) lookup_master(form);
}

// ---- the master-organisation lookup ----

void lookup_master(Form& form) {
  auto* en = frame::external<QuarnEnGlobalExternalWs>("EN-GLOBAL-EXTERNAL-WS");
  if (en == nullptr) return;
  std::string id = forms::control_text(form, ui::kOrgMastId);
  if (frame::trimmed(std::span<const char>(id.data(), id.size())).empty()) {
    set_caption(form, ui::kOrgMastName, "");
    return;
  }
  frame::put_text(en->en_id, id);
  for (char& c : en->en_id) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == '?' || c == '/') c = ' ';
  }
  const bool six_long = frame::first_space(en->en_id) == 6;
  en->en_mode[0] = six_long && en->en_id[0] == 'A' ? 'I' : 'N';
  en->en_status[0] = '1';
  frame::clear(en->en_name);
  set_text(form, ui::kOrgMastId, trimmed_text(en->en_id));

  forms::open_form("ENLOOKUP");

  if (en->en_status[0] == '0') {
    std::memcpy(state.data.org_mast_id, en->en_id, sizeof state.data.org_mast_id);
    set_text(form, ui::kOrgMastId, trimmed_text(state.data.org_mast_id));
    set_caption(form, ui::kOrgMastName, trimmed_text(en->en_name));
  } else {
    set_text(form, ui::kOrgMastId, trimmed_text(en->en_id));
  }
}

// ---- save ----

void close_form(Form& form) {
  state.place = forms::form_place(form);
  frame::put_text(state.program.request.ctl_method, "CloseForm");
  control::quarn_controls(state.program);
  form.end();
}

void empty_form(Form& form, bool editable) {
  clear_data();
  frame::clear(state.path);
  set_title(form, "");
  refresh(form);
  set_editable(form, editable);
}

// The controls into the area.
void take_controls(Form& form) {
  const std::vector<std::string> lines = lines_of(forms::control_text(form, ui::kOrgData));
  for (std::size_t i = 0; i < 4; ++i)
    frame::put_text(state.data.lines[i], i < lines.size() ? lines[i] : std::string());
  const std::int64_t country = forms::control_number(form, ui::kCountry, property::kListIndex, 0);
  if (country >= 1 && country <= static_cast<std::int64_t>(forms::orgedit::kCountries.size()))
    frame::put_text(state.data.country,
                    forms::orgedit::kCountries[static_cast<std::size_t>(country - 1)].substr(0, 2));
  const std::vector<std::string> ids = lines_of(forms::control_text(form, ui::kIds));
  const auto id = [&](std::size_t i) { return i < ids.size() ? ids[i] : std::string(); };
  frame::put_text(state.data.federal_id, id(0));
  frame::put_text(state.data.state_id, id(1));
  frame::put_text(state.data.ebank_id, id(2));
  frame::put_text(state.data.org_mast_id, forms::control_text(form, ui::kOrgMastId));
}

std::vector<std::string> file_lines() {
  std::vector<std::string> lines;
  for (const auto& line : state.data.lines)
    lines.emplace_back(line, kLineWidth);
  lines.emplace_back(std::string(state.data.country, 36) + std::string(4, ' '));
  lines.emplace_back(std::string(state.data.org_mast_id, 6) + std::string(34, ' '));
  return lines;
}

void save(Form& form, char mode) {
  state.save_mode = mode;
  state.error_flag = ' ';

  // 2-3. What must be there.
  const std::vector<std::string> lines = lines_of(forms::control_text(form, ui::kOrgData));
  if (frame::trimmed(std::span<const char>(lines[0].data(), lines[0].size())).empty()) {
    show_message("Organization Name is required!", 0);
    form.set_control_property(ui::kTabs, property::kTab, Value(std::int64_t{0}));
    form.set_focus(ui::kOrgData);
    state.error_flag = 'X';
    return;
  }
  if (forms::control_number(form, ui::kCountry, property::kListIndex, 0) <= 0) {
    show_message("ERROR: Country Location of Organization is missing.", 0);
    state.error_flag = 'X';
    return;
  }
  take_controls(form);

  // 5. Where to: asked for when there is no caller folder and no path, or on Save As.
  const bool no_folder = frame::is_blank(state.caller_folder);
  const bool ask = no_folder && (frame::is_blank(state.path) || state.save_mode == 'A');
  if (ask) {
    QuarnXMiscExternalWs* misc = frame::misc_area();
    const std::string home = misc != nullptr ? frame::home_folder(*misc) : std::string();
    frame::put_text(state.path, home);
    const auto chosen = forms::runtime().browse_folder("Save ORGFILE in:", home);
    if (!chosen || chosen->size() >= kPathWidth - kFileName.size()) {
      frame::clear(state.path);
      set_title(form, "");
      return;
    }
    frame::put_text(state.path, *chosen);
  } else if (frame::is_blank(state.path)) {
    std::memcpy(state.path, state.caller_folder, kPathWidth);
  }
  name_orgfile(state.path);
  const std::string path = trimmed_text(state.path);

  // 6. A file chosen through the dialog is replaced only when the user says so.
  if (ask && platform::files::is_file(path)) {
    const std::int32_t answer = forms::runtime().message_box(
        frame::trimmed(state.program.caption), "Replace ORGFILE in folder " + folder_of(path) + "?",
        state.program.message_box_styles[6]);
    if (answer != forms::message_box::kYes) return;
  }

  // 7. The file is replaced whole or not at all.
  const platform::FileStatus written = platform::files::replace_lines(path, file_lines());
  if (written != platform::status::kOk) {
    state.error_flag = 'X';
    if (word_status(form, written)) show_message("ERROR saving " + path + "|" + status_text(), 0);
    return;
  }
  state.saved = true;

  // 8. The form's next state.
  if (!no_folder) {
    close_form(form);
  } else {
    empty_form(form, false);
  }
}

// ---- the events ----

class OrgEditEvents final : public forms::FormEvents {
 public:
  void load(Form& form) override {
    QuarnXMiscExternalWs* misc = frame::misc_area();
    if (misc != nullptr) {
      std::memcpy(state.caller_folder, misc->xm_document_folder, kPathWidth);
    } else {
      frame::clear(state.caller_folder);
    }
    frame::put_text(state.program.program_id_name, "OrgEdit");
    frame::clear(state.program.form_id_name);
    char action[2] = {'L', 'F'};
    control::quarn_program_control(state.program, action);

    form.clear_items(ui::kCountry);
    form.add_item(ui::kCountry, kSelectCountry);
    for (const std::string_view row : forms::orgedit::kCountries)
      form.add_item(ui::kCountry, country_item(row));

    if (frame::is_blank(state.caller_folder)) {
      empty_form(form, false);
      return;
    }
    std::memcpy(state.path, state.caller_folder, kPathWidth);
    set_editable(form, true);
    quarn::load(form);
  }

  void click(Form& form, std::string_view name) override {
    if (name == ui::kSave || name == ui::kFileSave) {
      save(form, 'S');
    } else if (name == ui::kFileSaveAs) {
      save(form, 'A');
    } else if (name == ui::kCancel) {
      close_form(form);
    } else if (name == ui::kFileOpen) {
      open(form);
    } else if (name == ui::kFileNew) {
      clear_data();
      refresh(form);
      set_editable(form, true);
    } else if (name == ui::kLookup) {
      lookup_master(form);
    } else if (name == ui::kHelp) {
      help();
    } else if (name == ui::kPrintScreen) {
      print_screen(form);
    }
  }

  void close_request(Form& form) override { close_form(form); }

 private:
  static void open(Form& form) {
    QuarnXMiscExternalWs* misc = frame::misc_area();
    if (misc == nullptr) return;
    forms::put_filter(misc->xm_browse_path, "ORGID Files|ORGFILE|All Files|*.*");
    frame::put_text(misc->xm_browse_title, "ORGID Browse");
    forms::open_form("FLBROWSE");
    if (frame::read_unsigned(misc->xm_browse_result).value_or(0) == 0) return;
    std::string_view chosen(misc->xm_browse_path, sizeof misc->xm_browse_path);
    chosen = chosen.substr(0, chosen.find('\0'));
    if (chosen.size() > kPathWidth) return;  // no room for it in the path
    frame::put_text(state.path, chosen);
    quarn::load(form);
    if (frame::trimmed(state.path).ends_with(kFileName)) set_editable(form, true);
  }

  static void help() {
    QuarnHelpRequest request;
    std::memset(&request, ' ', sizeof request);
    frame::put_text(request.hr_help_file, "QUARN.CHM");
    frame::put_text(request.hr_page, "QUARN_FileMenu.htm");
    frame::put_text(request.hr_topic, "CompanyInfo");
    void* params[] = {&request};
    frame::call_by_name("HTMLHELP", params);
  }

  static void print_screen(Form& form) {
    QuarnXMiscExternalWs* misc = frame::misc_area();
    const std::string home = misc != nullptr ? frame::home_folder(*misc) : std::string();
    if (!forms::print_form(form, home + "ORGEDIT-SCREEN"))
      show_message("The screen could not be printed.", 0);
  }
};

// The sixth parameter is reserved and not read.
std::int32_t orgedit(QuarnFormOwner* owner, std::int32_t* modal_style, std::int32_t* outcome,
                     QuarnFormPlace* place, char* runtime_name, char*) {
  const forms::FormCall call(owner, modal_style, outcome, place, runtime_name);
  forms::Runtime& runtime = forms::form_runtime();
  state.saved = false;
  state.error_flag = ' ';
  clear_data();
  frame::clear(state.path);
  OrgEditEvents events;
  state.place = call.options().place;
  runtime.run_form(forms::orgedit::kForm, events, call.options());
  state.program.form.reset();
  call.finish(state.saved, state.place, runtime.kind());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((ORGEDIT), quarn::orgedit, 0, (owner, QuarnFormOwner), (modal_style, std::int32_t),
              (outcome, std::int32_t), (place, QuarnFormPlace), (runtime, char[8]),
              (reserved, char[4]));
