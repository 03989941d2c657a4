// The headless form runtime: forms are property bags built from their definitions, driven
// by a script (steps of what a person would do: forms/script.hpp); when the script has
// nothing for the form to do, its running timers fire (once each time); message boxes and
// dialogs take their answers from the script, or, when it has none for them, the style's
// preset button answers and dialogs are cancelled. Every message box and dialog is
// recorded. Tests and batch use run on it; it needs no display and never waits.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/runtime.hpp"
#include "forms/script.hpp"

namespace quarn::forms {

class HeadlessForm : public Form {
 public:
  // A form without controls (callers that only need a window's geometry and title).
  HeadlessForm(std::string name, const Rect& geometry);
  // A form with the controls of its definition.
  explicit HeadlessForm(const FormDef& definition);

  std::string_view name() const override { return name_; }
  std::optional<Value> property(std::string_view name) const override;
  bool set_property(std::string_view name, const Value& value) override;
  void end() override { ended_ = true; }
  bool ended() const override { return ended_; }

  std::optional<Value> control_property(std::string_view control,
                                        std::string_view name) const override;
  bool set_control_property(std::string_view control, std::string_view name,
                            const Value& value) override;
  bool add_item(std::string_view control, std::string_view text) override;
  bool clear_items(std::string_view control) override;
  std::string item(std::string_view control, std::int64_t index) const override;
  bool set_focus(std::string_view control) override;
  std::string focus() const override { return focus_; }
  std::optional<std::string> capture(std::string_view base) override;

  // The definition it was built from (null for a form without controls).
  const FormDef* definition() const { return definition_; }
  // What the form shows, one control a line (the headless picture of the form).
  std::string render() const;

 private:
  struct Control {
    ControlKind kind;
    std::map<std::string, Value, std::less<>> properties;
    std::vector<std::string> items;
  };
  Control* find(std::string_view control);
  const Control* find(std::string_view control) const;
  // Reads the picture file's size into the control; false (and nothing changed) when it
  // is no picture. An empty path empties the control.
  static bool load_picture(Control& control, const std::string& path);

  std::string name_;
  const FormDef* definition_ = nullptr;
  std::map<std::string, Value, std::less<>> properties_;
  std::map<std::string, Control, std::less<>> controls_;
  std::string focus_;
  bool ended_ = false;
};

// A progress window that records what it is asked ("ACTIVATE", "CPROGRESSTEXT text"...)
// and reports Cancel when its runtime's script says so.
class HeadlessProgress : public ProgressWindow {
 public:
  explicit HeadlessProgress(std::vector<std::string>& log, int& cancel_after)
      : log_(log), cancel_after_(cancel_after) {}
  void position(const Rect& over) override;
  void activate() override { log_.push_back("ACTIVATE"); }
  void set_text(std::string_view text) override;
  void thru_events() override { log_.push_back("THRUEVENTS"); }
  bool cancelled() override;
  void deactivate() override { log_.push_back("DEACTIVATE"); }

 private:
  std::vector<std::string>& log_;
  int& cancel_after_;
};

class HeadlessRuntime : public Runtime {
 public:
  struct Message {
    std::string caption;
    std::string text;
    std::int32_t style;
    std::int32_t answer;
  };
  // A dialog that was opened: "folder" or "file", its title, its start folder, for the
  // open-file dialog its filters, and what it answered (empty: cancelled).
  struct Dialog {
    std::string kind;
    std::string title;
    std::string start;
    std::vector<std::pair<std::string, std::string>> filters;
    std::string answer;
  };

  HeadlessRuntime();

  std::string_view kind() const override { return "headless"; }

  // Opens a form, which becomes the active one until it ends or is closed.
  std::shared_ptr<HeadlessForm> open_form(std::string name, const Rect& geometry);
  // Closes every form.
  void close_forms() { forms_.clear(); }

  // The script: replaces the steps not yet taken. False (and nothing changed) when the
  // text is not a script; script_error() then says why.
  bool set_script(std::string_view text);
  const std::string& script_error() const { return script_error_; }
  // Adds answers for the next message boxes, after the steps there are.
  void script_answers(std::initializer_list<std::int32_t> answers);
  // Steps not yet taken.
  std::size_t pending_steps() const { return steps_.size(); }
  // Steps that could not be carried out ("line N: ..."), such as a click on a control the
  // form does not have, or an answer that no message box asked for.
  const std::vector<std::string>& script_faults() const { return faults_; }

  const std::vector<Message>& messages() const { return messages_; }
  const std::vector<Dialog>& dialogs() const { return dialogs_; }
  // The form of the last run_form() that ended, as it was when it ended.
  std::shared_ptr<HeadlessForm> last_form(std::string_view name) const;
  void clear_messages() {
    messages_.clear();
    dialogs_.clear();
    faults_.clear();
  }
  // Also appends each message box as a line "caption<TAB>text<TAB>style<TAB>answer" to
  // this file (empty: none); QUARN_FORMS_RECORD sets it at start.
  void set_record_file(std::string path) { record_file_ = std::move(path); }

  void set_work_area(const Rect& area) { work_area_ = area; }

  // Progress windows: whether they can be created, after how many questions the user
  // presses Cancel (0: never), and what every progress window was asked.
  void set_progress_available(bool available) { progress_available_ = available; }
  void script_cancel_after(int questions) { cancel_after_ = questions; }
  const std::vector<std::string>& progress_log() const { return progress_log_; }
  void clear_progress_log() { progress_log_.clear(); }
  std::shared_ptr<ProgressWindow> create_progress(std::string_view prog_id) override;

  void run_form(const FormDef& definition, FormEvents& events, const OpenOptions& options) override;
  std::optional<std::string> browse_folder(std::string_view title, std::string_view start) override;
  std::optional<std::string> open_file(const OpenFileRequest& request) override;
  std::shared_ptr<Form> active_form() override;
  std::int32_t message_box(std::string_view caption, std::string_view text,
                           std::int32_t style) override;
  Rect work_area() override { return work_area_; }

 private:
  // The next step when it is an answer of `kind`, taken from the script; else nullopt.
  std::optional<ScriptStep> take_answer(ScriptStep::Kind kind);
  // Lets every running timer of the form (enabled, with an interval) fire once.
  void fire_timers(const FormDef& definition, HeadlessForm& form, FormEvents& events);
  // Carries out one step on a running form.
  void apply(const ScriptStep& step, HeadlessForm& form, FormEvents& events);
  void fault(const ScriptStep& step, std::string_view what);

  std::vector<std::shared_ptr<HeadlessForm>> forms_;
  std::vector<std::shared_ptr<HeadlessForm>> ended_forms_;
  std::deque<ScriptStep> steps_;
  std::string script_error_;
  std::vector<std::string> faults_;
  std::vector<Message> messages_;
  std::vector<Dialog> dialogs_;
  std::string record_file_;
  Rect work_area_{0, 0, 1920, 1040};
  bool progress_available_ = true;
  int cancel_after_ = 0;
  std::vector<std::string> progress_log_;
};

// The process's built-in headless runtime. At its first use it reads the script named by
// QUARN_FORMS_SCRIPT and the record file of QUARN_FORMS_RECORD.
HeadlessRuntime& headless_runtime();

}  // namespace quarn::forms
