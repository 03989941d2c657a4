// The headless form runtime: forms are property bags, message boxes are answered from a
// script (or with the style's preset button when the script is empty) and recorded, and
// the work area is a setting. Tests and batch use run on it; it needs no display.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/runtime.hpp"

namespace quarn::forms {

class HeadlessForm : public Form {
 public:
  HeadlessForm(std::string name, const Rect& geometry);
  std::string_view name() const override { return name_; }
  std::optional<Value> property(std::string_view name) const override;
  bool set_property(std::string_view name, const Value& value) override;
  void end() override { ended_ = true; }
  bool ended() const override { return ended_; }

 private:
  std::string name_;
  std::map<std::string, Value, std::less<>> properties_;
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

  // Opens a form, which becomes the active one until it ends or is closed.
  std::shared_ptr<HeadlessForm> open_form(std::string name, const Rect& geometry);
  // Closes every form.
  void close_forms() { forms_.clear(); }

  // Answers for the next message boxes, in order.
  void script_answers(std::initializer_list<std::int32_t> answers);
  const std::vector<Message>& messages() const { return messages_; }
  void clear_messages() { messages_.clear(); }

  void set_work_area(const Rect& area) { work_area_ = area; }

  // Progress windows: whether they can be created, after how many questions the user
  // presses Cancel (0: never), and what every progress window was asked.
  void set_progress_available(bool available) { progress_available_ = available; }
  void script_cancel_after(int questions) { cancel_after_ = questions; }
  const std::vector<std::string>& progress_log() const { return progress_log_; }
  void clear_progress_log() { progress_log_.clear(); }
  std::shared_ptr<ProgressWindow> create_progress(std::string_view prog_id) override;

  std::shared_ptr<Form> active_form() override;
  std::int32_t message_box(std::string_view caption, std::string_view text,
                           std::int32_t style) override;
  Rect work_area() override { return work_area_; }

 private:
  std::vector<std::shared_ptr<HeadlessForm>> forms_;
  std::deque<std::int32_t> answers_;
  std::vector<Message> messages_;
  Rect work_area_{0, 0, 1920, 1040};
  bool progress_available_ = true;
  int cancel_after_ = 0;
  std::vector<std::string> progress_log_;
};

// The process's built-in headless runtime (in force unless another was installed).
HeadlessRuntime& headless_runtime();

}  // namespace quarn::forms
