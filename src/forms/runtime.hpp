// The form runtime: what the forms, program control and the document programs ask of the
// windowing side: forms built from their definitions and run modally, properties of forms
// and controls by name, list items, focus, message boxes, the folder and open-file
// dialogs, objects by ProgID, the screen's work area and pictures of a form. One runtime
// is in force per process: the headless one unless another was installed (see loader.hpp
// for how the desktop runtime is chosen).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "forms/form_definition.hpp"
#include "forms/geometry.hpp"

namespace quarn::forms {

// A property value: a number (positions, sizes, flags, indexes) or a text (captions).
using Value = std::variant<std::int64_t, std::string>;

// Form properties every runtime provides. The extent is the outer size of the window, in
// the same pixels as Width and Height.
namespace property {
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kExtentWidth = "ExtentWidth";
inline constexpr std::string_view kExtentHeight = "ExtentHeight";
inline constexpr std::string_view kCaption = "Caption";
// The inside of the window that the controls share (without frame and menu bar); read only.
inline constexpr std::string_view kClientWidth = "ClientWidth";
inline constexpr std::string_view kClientHeight = "ClientHeight";
// Control properties (the geometry names above apply to controls too).
inline constexpr std::string_view kText = "Text";        // texts; text blocks join lines by "\n"
inline constexpr std::string_view kEnabled = "Enabled";  // 0 or 1
inline constexpr std::string_view kVisible = "Visible";  // 0 or 1
inline constexpr std::string_view kChecked = "Checked";  // 0 or 1
inline constexpr std::string_view kTip = "Tip";
inline constexpr std::string_view kListIndex = "ListIndex";  // -1: nothing chosen
inline constexpr std::string_view kListCount = "ListCount";  // read only
inline constexpr std::string_view kTab = "Tab";              // tab control: the page shown
inline constexpr std::string_view kInterval = "Interval";    // timers, milliseconds
inline constexpr std::string_view kPicture = "Picture";      // picture: a file path
// The picture's own size in pixels (0 without one); read only. Setting Picture reads the
// file at once and keeps the picture, so the file may go afterwards; a file that is no
// picture the runtime can show is refused (false) and the control keeps what it had.
inline constexpr std::string_view kPictureWidth = "PictureWidth";
inline constexpr std::string_view kPictureHeight = "PictureHeight";
inline constexpr std::string_view kValue = "Value";          // progress bar
inline constexpr std::string_view kAlignment = "Alignment";  // labels: 0 left, 2 centre
}  // namespace property

// Message-box styles and answers: the windowing system's values. The low four bits of a
// style choose the buttons, bits 8-11 which of them is preset, bits 4-7 the icon.
namespace message_box {
inline constexpr std::int32_t kOkOnly = 0;
inline constexpr std::int32_t kOkCancel = 1;
inline constexpr std::int32_t kAbortRetryIgnore = 2;
inline constexpr std::int32_t kYesNoCancel = 3;
inline constexpr std::int32_t kYesNo = 4;
inline constexpr std::int32_t kRetryCancel = 5;
inline constexpr std::int32_t kCritical = 16;
inline constexpr std::int32_t kQuestion = 32;
inline constexpr std::int32_t kWarning = 48;
inline constexpr std::int32_t kInformation = 64;
inline constexpr std::int32_t kSecondPreset = 256;
inline constexpr std::int32_t kThirdPreset = 512;

inline constexpr std::int32_t kOk = 1;
inline constexpr std::int32_t kCancel = 2;
inline constexpr std::int32_t kAbort = 3;
inline constexpr std::int32_t kRetry = 4;
inline constexpr std::int32_t kIgnore = 5;
inline constexpr std::int32_t kYes = 6;
inline constexpr std::int32_t kNo = 7;

// The answer of the preset button of a style (what Enter gives).
std::int32_t default_answer(std::int32_t style);
}  // namespace message_box

// A form object: a window with properties by name, and its controls by name.
class Form {
 public:
  virtual ~Form() = default;
  virtual std::string_view name() const = 0;
  // The property's value, or nullopt when the form has no such property.
  virtual std::optional<Value> property(std::string_view name) const = 0;
  // False when the form has no such property or the value is of the wrong kind.
  virtual bool set_property(std::string_view name, const Value& value) = 0;
  // Ends the form: it closes, and its modal run returns.
  virtual void end() = 0;
  virtual bool ended() const = 0;

  // A control's property; nullopt when there is no such control or property. Forms
  // opened without a definition have no controls.
  virtual std::optional<Value> control_property(std::string_view control,
                                                std::string_view name) const {
    static_cast<void>(control), static_cast<void>(name);
    return std::nullopt;
  }
  virtual bool set_control_property(std::string_view control, std::string_view name,
                                    const Value& value) {
    static_cast<void>(control), static_cast<void>(name), static_cast<void>(value);
    return false;
  }
  // Items of list and combo controls.
  virtual bool add_item(std::string_view control, std::string_view text) {
    static_cast<void>(control), static_cast<void>(text);
    return false;
  }
  virtual bool clear_items(std::string_view control) {
    static_cast<void>(control);
    return false;
  }
  // The item's text; empty when there is no such item.
  virtual std::string item(std::string_view control, std::int64_t index) const {
    static_cast<void>(control), static_cast<void>(index);
    return {};
  }
  // Keyboard focus.
  virtual bool set_focus(std::string_view control) {
    static_cast<void>(control);
    return false;
  }
  virtual std::string focus() const { return {}; }
  // Writes a picture of the form as it looks now to `base` and an extension (the desktop
  // runtime: ".png"; the headless one: ".txt", a text rendering of its controls). The path
  // written, or nullopt when nothing was.
  virtual std::optional<std::string> capture(std::string_view base) {
    static_cast<void>(base);
    return std::nullopt;
  }
};

// A number property, or `otherwise` when the form lacks it or it is a text.
std::int64_t number_property(const Form& form, std::string_view name, std::int64_t otherwise = 0);
// A control's text property ("" when it lacks it) and number property.
std::string control_text(const Form& form, std::string_view control,
                         std::string_view name = property::kText);
std::int64_t control_number(const Form& form, std::string_view control, std::string_view name,
                            std::int64_t otherwise = 0);

// What a form program does when things happen to its form: its event procedures. The
// runtime calls them on the form's thread while the form runs.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // The form is built and about to be shown.
  virtual void load(Form& form) { static_cast<void>(form); }
  // A button, a menu item or a menu without items was clicked.
  virtual void click(Form& form, std::string_view control) {
    static_cast<void>(form), static_cast<void>(control);
  }
  // The user changed a text or chose a list item.
  virtual void change(Form& form, std::string_view control) {
    static_cast<void>(form), static_cast<void>(control);
  }
  virtual void timer(Form& form, std::string_view timer) {
    static_cast<void>(form), static_cast<void>(timer);
  }
  // The window's size changed (the user or the program resized it), once it is shown.
  virtual void resize(Form& form) { static_cast<void>(form); }
  // The user asks to close the window (close box, Escape without a cancel button). The
  // form closes only if this ends it; by default it does.
  virtual void close_request(Form& form) { form.end(); }
};

// How a form is opened: the optional parameters of the form programs.
struct OpenOptions {
  // The caller's window the form is modal to (a QWidget* for the desktop runtime; null:
  // the application's active window, if any).
  void* owner = nullptr;
  // 0: modal to the whole application; 1: modal to the owner window only.
  std::int32_t modal_style = 0;
  // A place for the form; used when its width is above 0.
  Rect place = {};
};

// The open-file dialog: a title, filter pairs (description, patterns separated by ";"),
// the filter shown first, and the folder to start in (empty: the runtime's choice).
struct OpenFileRequest {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;
  std::int32_t filter_index = 1;  // 1-based
  std::string initial_folder;
};

// The progress window of document output, served by the runtime under the programmatic
// identifier kProgressProgId. Its methods are those its callers know it by.
inline constexpr std::string_view kProgressProgId = "QUARN.POPProg.1";

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void position(const Rect& over) = 0;       // CPOSITION
  virtual void activate() = 0;                       // ACTIVATE
  virtual void set_text(std::string_view text) = 0;  // CPROGRESSTEXT
  virtual void thru_events() = 0;                    // THRUEVENTS
  virtual bool cancelled() = 0;                      // GET-CCANCELLED
  virtual void deactivate() = 0;                     // DEACTIVATE
};

// Told once per form, when it is first shown (painted, on the desktop); when it answers
// true the form is closed as by its close box. For benchmarks and automation.
using ShownHook = bool (*)(std::string_view form, void* context);

class Runtime {
 public:
  virtual ~Runtime() = default;
  virtual void set_shown_hook(ShownHook hook, void* context) {
    shown_hook_ = hook;
    shown_context_ = context;
  }
  // The runtime's name: "headless" or "qt".
  virtual std::string_view kind() const = 0;
  // Builds the form of `definition`, calls events.load, shows it modally and returns when
  // it has ended. While it runs it is the active form.
  virtual void run_form(const FormDef& definition, FormEvents& events,
                        const OpenOptions& options) = 0;
  // The folder dialog: the folder chosen (with a final "/"), or nullopt when cancelled.
  virtual std::optional<std::string> browse_folder(std::string_view title,
                                                   std::string_view start) = 0;
  // The open-file dialog: the path chosen, or nullopt when cancelled or failed.
  virtual std::optional<std::string> open_file(const OpenFileRequest& request) = 0;
  // The form running now (the one the calling program belongs to); null when none is.
  virtual std::shared_ptr<Form> active_form() = 0;
  // Shows a message box and returns the button chosen.
  virtual std::int32_t message_box(std::string_view caption, std::string_view text,
                                   std::int32_t style) = 0;
  // The part of the screen not taken by task bars.
  virtual Rect work_area() = 0;
  // Creates an object by its programmatic identifier; null when the runtime serves none
  // under that name.
  virtual std::shared_ptr<ProgressWindow> create_progress(std::string_view prog_id) {
    static_cast<void>(prog_id);
    return nullptr;
  }

 protected:
  // Whether the hook asks for the form to be closed.
  bool shown(std::string_view form) const {
    return shown_hook_ != nullptr && shown_hook_(form, shown_context_);
  }

 private:
  ShownHook shown_hook_ = nullptr;
  void* shown_context_ = nullptr;
};

// The runtime in force.
Runtime& runtime();
// Installs a runtime (null restores the built-in headless one); returns the previous one.
Runtime* set_runtime(Runtime* runtime);

}  // namespace quarn::forms
