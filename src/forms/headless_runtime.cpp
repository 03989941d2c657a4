#include "forms/headless_runtime.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <span>

#include "forms/picture_size.hpp"
#include "platform/files.hpp"
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

std::string control_text(const Form& form, std::string_view control, std::string_view name) {
  const auto value = form.control_property(control, name);
  if (!value) return {};
  const auto* text = std::get_if<std::string>(&*value);
  return text != nullptr ? *text : std::string();
}

std::int64_t control_number(const Form& form, std::string_view control, std::string_view name,
                            std::int64_t otherwise) {
  const auto value = form.control_property(control, name);
  if (!value) return otherwise;
  const auto* number = std::get_if<std::int64_t>(&*value);
  return number != nullptr ? *number : otherwise;
}

namespace {

// The extent and the client area of a headless form are its size: there is no frame
// around it and its menus take no room.
std::string_view stored_name(std::string_view name) {
  if (name == property::kExtentWidth || name == property::kClientWidth) return property::kWidth;
  if (name == property::kExtentHeight || name == property::kClientHeight) return property::kHeight;
  return name;
}

bool is_read_only(std::string_view name) {
  return name == property::kClientWidth || name == property::kClientHeight;
}

// The largest picture file a picture control reads.
constexpr std::size_t kPictureLimit = 64 * 1024 * 1024;

bool has_items(ControlKind kind) {
  return kind == ControlKind::kCombo || kind == ControlKind::kList;
}

bool has_text(ControlKind kind) {
  return kind == ControlKind::kText || kind == ControlKind::kTextBlock;
}

std::string_view kind_name(ControlKind kind) {
  constexpr std::array<std::string_view, 16> kNames{
      "label", "text",  "textblock", "button",   "check", "combo", "list",     "tabs",
      "page",  "group", "picture",   "progress", "timer", "menu",  "menuitem", "separator"};
  return kNames[static_cast<std::size_t>(kind)];
}

}  // namespace

HeadlessForm::HeadlessForm(std::string name, const Rect& geometry) : name_(std::move(name)) {
  properties_.emplace(property::kTop, geometry.top);
  properties_.emplace(property::kLeft, geometry.left);
  properties_.emplace(property::kWidth, geometry.width);
  properties_.emplace(property::kHeight, geometry.height);
  properties_.emplace(property::kCaption, std::string());
}

HeadlessForm::HeadlessForm(const FormDef& definition)
    : HeadlessForm(std::string(definition.name), {0, 0, definition.width, definition.height}) {
  definition_ = &definition;
  properties_[std::string(property::kCaption)] = std::string(definition.caption);
  for (const ControlDef& def : definition.controls) {
    Control control{def.kind, {}, {}};
    auto& p = control.properties;
    p.emplace(property::kLeft, def.place.left);
    p.emplace(property::kTop, def.place.top);
    p.emplace(property::kWidth, def.place.width);
    p.emplace(property::kHeight, def.place.height);
    p.emplace(property::kEnabled, 1);
    p.emplace(property::kVisible, 1);
    p.emplace(property::kTip, std::string(def.tip));
    if (has_text(def.kind)) {
      p.emplace(property::kText, std::string(def.caption));
    } else {
      p.emplace(property::kCaption, std::string(def.caption));
    }
    if (def.kind == ControlKind::kCheck || def.kind == ControlKind::kMenuItem)
      p.emplace(property::kChecked, 0);
    if (has_items(def.kind)) p.emplace(property::kListIndex, -1);
    if (def.kind == ControlKind::kTabs) p.emplace(property::kTab, 0);
    if (def.kind == ControlKind::kTimer) {
      p.emplace(property::kInterval, 0);
      p[std::string(property::kEnabled)] = 0;
    }
    if (def.kind == ControlKind::kPicture) {
      p.emplace(property::kPicture, std::string());
      p.emplace(property::kPictureWidth, 0);
      p.emplace(property::kPictureHeight, 0);
    }
    if (def.kind == ControlKind::kProgress) p.emplace(property::kValue, 0);
    if (def.kind == ControlKind::kLabel) p.emplace(property::kAlignment, 0);
    controls_.emplace(std::string(def.name), std::move(control));
  }
}

std::optional<Value> HeadlessForm::property(std::string_view name) const {
  const auto found = properties_.find(stored_name(name));
  if (found == properties_.end()) return std::nullopt;
  return found->second;
}

bool HeadlessForm::set_property(std::string_view name, const Value& value) {
  if (is_read_only(name)) return false;
  const auto found = properties_.find(stored_name(name));
  if (found == properties_.end() || found->second.index() != value.index()) return false;
  found->second = value;
  return true;
}

HeadlessForm::Control* HeadlessForm::find(std::string_view control) {
  const auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : &found->second;
}

const HeadlessForm::Control* HeadlessForm::find(std::string_view control) const {
  const auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : &found->second;
}

std::optional<Value> HeadlessForm::control_property(std::string_view control,
                                                    std::string_view name) const {
  const Control* c = find(control);
  if (c == nullptr) return std::nullopt;
  if (name == property::kListCount && has_items(c->kind))
    return static_cast<std::int64_t>(c->items.size());
  const auto found = c->properties.find(name);
  if (found == c->properties.end()) return std::nullopt;
  return found->second;
}

bool HeadlessForm::set_control_property(std::string_view control, std::string_view name,
                                        const Value& value) {
  Control* c = find(control);
  if (c == nullptr) return false;
  const auto found = c->properties.find(name);
  if (found == c->properties.end() || found->second.index() != value.index()) return false;
  if (name == property::kPictureWidth || name == property::kPictureHeight) return false;
  if (name == property::kPicture) return load_picture(*c, std::get<std::string>(value));
  if (name == property::kListIndex) {
    const std::int64_t index = std::get<std::int64_t>(value);
    if (index < -1 || index >= static_cast<std::int64_t>(c->items.size())) return false;
  }
  found->second = value;
  return true;
}

bool HeadlessForm::load_picture(Control& control, const std::string& path) {
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (!path.empty()) {
    // Only a plain file: a device or a pipe could block or never end.
    std::string bytes;
    std::optional<PictureSize> size;
    std::error_code error;
    if (std::filesystem::is_regular_file(platform::files::native_path(path), error) &&
        platform::files::read_file(path, kPictureLimit, &bytes) == platform::status::kOk)
      size = picture_size(bytes);
    if (!size) return false;
    width = size->width;
    height = size->height;
  }
  auto& p = control.properties;
  p[std::string(property::kPicture)] = path;
  p[std::string(property::kPictureWidth)] = width;
  p[std::string(property::kPictureHeight)] = height;
  return true;
}

bool HeadlessForm::add_item(std::string_view control, std::string_view text) {
  Control* c = find(control);
  if (c == nullptr || !has_items(c->kind)) return false;
  c->items.emplace_back(text);
  return true;
}

bool HeadlessForm::clear_items(std::string_view control) {
  Control* c = find(control);
  if (c == nullptr || !has_items(c->kind)) return false;
  c->items.clear();
  c->properties[std::string(property::kListIndex)] = std::int64_t{-1};
  return true;
}

std::string HeadlessForm::item(std::string_view control, std::int64_t index) const {
  const Control* c = find(control);
  if (c == nullptr || index < 0 || index >= static_cast<std::int64_t>(c->items.size())) return {};
  return c->items[static_cast<std::size_t>(index)];
}

bool HeadlessForm::set_focus(std::string_view control) {
  if (find(control) == nullptr) return false;
  focus_ = control;
  return true;
}

std::string HeadlessForm::render() const {
  std::string out = "form " + name_ + " \"" +
                    std::get<std::string>(properties_.at(std::string(property::kCaption))) + "\"\n";
  if (definition_ == nullptr) return out;
  for (const ControlDef& def : definition_->controls) {
    const Control& c = controls_.at(std::string(def.name));
    const auto text_of = [&](std::string_view name) {
      const auto found = c.properties.find(name);
      return found == c.properties.end() ? std::string() : std::get<std::string>(found->second);
    };
    out += std::string(kind_name(c.kind)) + ' ' + std::string(def.name) + ' ';
    if (has_text(c.kind)) {
      out += '"' + text_of(property::kText) + '"';
    } else if (has_items(c.kind)) {
      const auto index = std::get<std::int64_t>(c.properties.at(std::string(property::kListIndex)));
      out += '"' + item(def.name, index) + '"';
    } else {
      out += '"' + text_of(property::kCaption) + '"';
    }
    out += '\n';
  }
  return out;
}

std::optional<std::string> HeadlessForm::capture(std::string_view base) {
  const std::string path = std::string(base) + ".txt";
  std::ofstream out(platform::files::native_path(path), std::ios::binary | std::ios::trunc);
  out << render();
  if (!out.flush()) return std::nullopt;
  return path;
}

// ---- the runtime ----

HeadlessRuntime::HeadlessRuntime() = default;

std::shared_ptr<HeadlessForm> HeadlessRuntime::open_form(std::string name, const Rect& geometry) {
  forms_.push_back(std::make_shared<HeadlessForm>(std::move(name), geometry));
  return forms_.back();
}

bool HeadlessRuntime::set_script(std::string_view text) {
  ParsedScript parsed = parse_script(text);
  script_error_ = parsed.error;
  if (!parsed.error.empty()) return false;
  steps_.assign(parsed.steps.begin(), parsed.steps.end());
  return true;
}

void HeadlessRuntime::script_answers(std::initializer_list<std::int32_t> answers) {
  for (const std::int32_t answer : answers) {
    ScriptStep step{};
    step.kind = ScriptStep::Kind::kAnswer;
    step.number = answer;
    steps_.push_back(step);
  }
}

std::optional<ScriptStep> HeadlessRuntime::take_answer(ScriptStep::Kind kind) {
  if (steps_.empty() || steps_.front().kind != kind) return std::nullopt;
  ScriptStep step = std::move(steps_.front());
  steps_.pop_front();
  return step;
}

void HeadlessRuntime::fault(const ScriptStep& step, std::string_view what) {
  faults_.push_back("line " + std::to_string(step.line) + ": " + std::string(what));
}

void HeadlessRuntime::apply(const ScriptStep& step, HeadlessForm& form, FormEvents& events) {
  using Kind = ScriptStep::Kind;
  const FormDef* def = form.definition();
  const ControlDef* control = def != nullptr ? find_control(*def, step.control) : nullptr;
  if (step.kind != Kind::kClose && step.kind != Kind::kAnswer && step.kind != Kind::kFolder &&
      step.kind != Kind::kFile && step.kind != Kind::kSize && control == nullptr) {
    fault(step, "the form " + std::string(form.name()) + " has no control " + step.control);
    return;
  }
  // A person can only work with what is enabled.
  if (control != nullptr && control_number(form, step.control, property::kEnabled, 1) == 0 &&
      step.kind != Kind::kTimer) {
    fault(step, step.control + " is disabled");
    return;
  }
  switch (step.kind) {
    case Kind::kType:
      if (!form.set_control_property(step.control, property::kText, step.text)) {
        fault(step, step.control + " takes no text");
        return;
      }
      events.change(form, step.control);
      return;
    case Kind::kChoose: {
      std::int64_t index = step.number;
      if (!step.by_index) {
        const std::int64_t count = control_number(form, step.control, property::kListCount, 0);
        index = -2;
        for (std::int64_t i = 0; i < count && index == -2; ++i)
          if (form.item(step.control, i) == step.text) index = i;
        for (std::int64_t i = 0; i < count && index == -2; ++i)
          if (form.item(step.control, i).starts_with(step.text)) index = i;
      }
      if (!form.set_control_property(step.control, property::kListIndex, index)) {
        fault(step, step.control + " has no item \"" + step.text + "\"");
        return;
      }
      events.change(form, step.control);
      return;
    }
    case Kind::kCheck:
      if (!form.set_control_property(step.control, property::kChecked, step.number)) {
        fault(step, step.control + " cannot be checked");
        return;
      }
      if (control->kind == ControlKind::kMenuItem)
        events.click(form, step.control);
      else
        events.change(form, step.control);
      return;
    case Kind::kClick:
      if (control->kind == ControlKind::kMenuItem || control->kind == ControlKind::kButton ||
          control->kind == ControlKind::kMenu) {
        events.click(form, step.control);
      } else {
        fault(step, step.control + " cannot be clicked");
      }
      return;
    case Kind::kTimer:
      if (control->kind != ControlKind::kTimer) {
        fault(step, step.control + " is not a timer");
        return;
      }
      if (control_number(form, step.control, property::kEnabled, 0) != 0)
        events.timer(form, step.control);
      return;
    case Kind::kClose:
      events.close_request(form);
      return;
    case Kind::kSize:
      // The resize event follows from the run loop, as it follows any change of size.
      form.set_property(property::kWidth, step.number);
      form.set_property(property::kHeight, step.height);
      return;
    case Kind::kAnswer:
    case Kind::kFolder:
    case Kind::kFile:
      fault(step, "no message box or dialog asked for this answer");
      return;
  }
}

void HeadlessRuntime::fire_timers(const FormDef& definition, HeadlessForm& form,
                                  FormEvents& events) {
  for (const ControlDef& c : definition.controls) {
    if (form.ended()) return;
    if (c.kind == ControlKind::kTimer && control_number(form, c.name, property::kEnabled, 0) != 0 &&
        control_number(form, c.name, property::kInterval, 0) > 0)
      events.timer(form, c.name);
  }
}

void HeadlessRuntime::run_form(const FormDef& definition, FormEvents& events,
                               const OpenOptions& options) {
  auto form = std::make_shared<HeadlessForm>(definition);
  if (options.place.width > 0) {
    form->set_property(property::kLeft, std::int64_t{options.place.left});
    form->set_property(property::kTop, std::int64_t{options.place.top});
    form->set_property(property::kWidth, std::int64_t{options.place.width});
    form->set_property(property::kHeight, std::int64_t{options.place.height});
  }
  forms_.push_back(form);
  events.load(*form);
  // The size the form was shown at; every change of it afterwards is a resize event.
  const auto size_of = [&form] {
    return std::pair(number_property(*form, property::kWidth),
                     number_property(*form, property::kHeight));
  };
  auto size = size_of();
  const auto resized = [&] {
    while (!form->ended() && size_of() != size) {
      size = size_of();
      events.resize(*form);
    }
  };
  if (!form->ended() && shown(form->name())) events.close_request(*form);
  std::size_t idle_at = std::numeric_limits<std::size_t>::max();
  while (!form->ended()) {
    // Nothing for the form to do (no steps, or only answers for what it may ask): time
    // passes, and its running timers fire, once for each such moment.
    if ((steps_.empty() || steps_.front().is_answer()) && steps_.size() != idle_at) {
      idle_at = steps_.size();
      fire_timers(definition, *form, events);
      continue;
    }
    if (steps_.empty()) {
      // Nobody is there: the form is closed as by its close box, and ended if it stays.
      events.close_request(*form);
      form->end();
      break;
    }
    const ScriptStep step = std::move(steps_.front());
    steps_.pop_front();
    apply(step, *form, events);
    resized();
  }
  std::erase(forms_, form);
  std::erase_if(ended_forms_, [&](const auto& f) { return f->name() == form->name(); });
  ended_forms_.push_back(form);
}

std::shared_ptr<HeadlessForm> HeadlessRuntime::last_form(std::string_view name) const {
  for (const auto& form : ended_forms_)
    if (form->name() == name) return form;
  return nullptr;
}

std::optional<std::string> HeadlessRuntime::browse_folder(std::string_view title,
                                                          std::string_view start) {
  Dialog dialog{"folder", std::string(title), std::string(start), {}, {}};
  const auto step = take_answer(ScriptStep::Kind::kFolder);
  std::optional<std::string> answer;
  if (step && !step->cancel) {
    answer = step->text;
    if (!answer->ends_with('/') && !answer->ends_with('\\')) *answer += '/';
    dialog.answer = *answer;
  }
  dialogs_.push_back(std::move(dialog));
  return answer;
}

std::optional<std::string> HeadlessRuntime::open_file(const OpenFileRequest& request) {
  Dialog dialog{"file", request.title, request.initial_folder, request.filters, {}};
  const auto step = take_answer(ScriptStep::Kind::kFile);
  std::optional<std::string> answer;
  if (step && !step->cancel) {
    answer = step->text;
    dialog.answer = *answer;
  }
  dialogs_.push_back(std::move(dialog));
  return answer;
}

std::shared_ptr<Form> HeadlessRuntime::active_form() {
  const auto running =
      std::find_if(forms_.rbegin(), forms_.rend(), [](const auto& form) { return !form->ended(); });
  return running == forms_.rend() ? nullptr : *running;
}

std::int32_t HeadlessRuntime::message_box(std::string_view caption, std::string_view text,
                                          std::int32_t style) {
  std::int32_t answer = message_box::default_answer(style);
  if (const auto step = take_answer(ScriptStep::Kind::kAnswer))
    answer = static_cast<std::int32_t>(step->number);
  messages_.push_back({std::string(caption), std::string(text), style, answer});
  if (!record_file_.empty()) {
    std::ofstream out(platform::files::native_path(record_file_), std::ios::app);
    out << caption << '\t' << text << '\t' << style << '\t' << answer << '\n';
  }
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
    auto* r = new HeadlessRuntime;
    if (const char* record = std::getenv("QUARN_FORMS_RECORD"); record != nullptr)
      r->set_record_file(record);
    if (const char* script = std::getenv("QUARN_FORMS_SCRIPT"); script != nullptr && *script) {
      std::string text;
      constexpr std::size_t kLimit = 1 << 20;
      if (platform::files::read_file(script, kLimit, &text) != platform::status::kOk) {
        std::fprintf(stderr, "QUARN-M: the form script %s cannot be read\n", script);
      } else if (!r->set_script(text)) {
        std::fprintf(stderr, "QUARN-M: the form script %s: %s\n", script,
                     r->script_error().c_str());
      }
    }
    return r;
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
