#include "forms/headless_runtime.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <span>

#include "platform/registry.hpp"

namespace quarn::forms {

namespace message_box {

std::int32_t default_answer(std::int32_t style) {
  static constexpr std::array<std::array<std::int32_t, 3>, 6> kButtons{{
      {kOk, kOk, kOk},
      {kOk, kCancel, kCancel},
      {kAbort, kRetry, kIgnore},
      {kYes, kNo, kCancel},
      {kYes, kNo, kNo},
      {kRetry, kCancel, kCancel},
  }};
  static constexpr std::array<int, 6> kCount{1, 2, 3, 3, 2, 2};
  const int buttons = style & 0x0F;
  if (buttons >= static_cast<int>(kButtons.size())) return kOk;
  // The preset beyond the last button falls back to the first, as the windowing system does.
  int preset = (style >> 8) & 0x0F;
  if (preset >= kCount[buttons]) preset = 0;
  return kButtons[buttons][preset];
}

}  // namespace message_box

std::int64_t number_property(const Form& form, std::string_view name, std::int64_t otherwise) {
  const auto value = form.property(name);
  if (!value) return otherwise;
  const auto* number = std::get_if<std::int64_t>(&*value);
  return number != nullptr ? *number : otherwise;
}

namespace {

// The extent of a headless form is its size: there is no frame around it.
std::string_view stored_name(std::string_view name) {
  if (name == property::kExtentWidth) return property::kWidth;
  if (name == property::kExtentHeight) return property::kHeight;
  return name;
}

}  // namespace

HeadlessForm::HeadlessForm(std::string name, const Rect& geometry) : name_(std::move(name)) {
  properties_.emplace(property::kTop, geometry.top);
  properties_.emplace(property::kLeft, geometry.left);
  properties_.emplace(property::kWidth, geometry.width);
  properties_.emplace(property::kHeight, geometry.height);
  properties_.emplace(property::kCaption, std::string());
}

std::optional<Value> HeadlessForm::property(std::string_view name) const {
  const auto found = properties_.find(stored_name(name));
  if (found == properties_.end()) return std::nullopt;
  return found->second;
}

bool HeadlessForm::set_property(std::string_view name, const Value& value) {
  const auto found = properties_.find(stored_name(name));
  if (found == properties_.end() || found->second.index() != value.index()) return false;
  found->second = value;
  return true;
}

std::shared_ptr<HeadlessForm> HeadlessRuntime::open_form(std::string name, const Rect& geometry) {
  forms_.push_back(std::make_shared<HeadlessForm>(std::move(name), geometry));
  return forms_.back();
}

void HeadlessRuntime::script_answers(std::initializer_list<std::int32_t> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::shared_ptr<Form> HeadlessRuntime::active_form() {
  const auto running =
      std::find_if(forms_.rbegin(), forms_.rend(), [](const auto& form) { return !form->ended(); });
  return running == forms_.rend() ? nullptr : *running;
}

std::int32_t HeadlessRuntime::message_box(std::string_view caption, std::string_view text,
                                          std::int32_t style) {
  std::int32_t answer = message_box::default_answer(style);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  messages_.push_back({std::string(caption), std::string(text), style, answer});
  return answer;
}

void HeadlessProgress::position(const Rect& over) {
  log_.push_back("CPOSITION " + std::to_string(over.left) + "," + std::to_string(over.top) + "," +
                 std::to_string(over.width) + "," + std::to_string(over.height));
}

void HeadlessProgress::set_text(std::string_view text) {
  log_.push_back("CPROGRESSTEXT " + std::string(text));
}

bool HeadlessProgress::cancelled() {
  log_.push_back("GET-CCANCELLED");
  if (cancel_after_ <= 0) return false;
  return --cancel_after_ == 0;
}

std::shared_ptr<ProgressWindow> HeadlessRuntime::create_progress(std::string_view prog_id) {
  if (!progress_available_ || prog_id != kProgressProgId) return nullptr;
  return std::make_shared<HeadlessProgress>(progress_log_, cancel_after_);
}

HeadlessRuntime& headless_runtime() {
  static HeadlessRuntime* const runtime = [] {
    // The headless runtime serves the progress window, so its identifier is registered.
    platform::registry::register_prog_id(kProgressProgId);
    return new HeadlessRuntime;
  }();
  return *runtime;
}

namespace {
std::atomic<Runtime*> installed{nullptr};
}

Runtime& runtime() {
  Runtime* r = installed.load();
  return r != nullptr ? *r : headless_runtime();
}

Runtime* set_runtime(Runtime* runtime) {
  return installed.exchange(runtime);
}

}  // namespace quarn::forms
