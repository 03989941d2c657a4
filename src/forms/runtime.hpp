// The form runtime: what the forms, program control and the document programs ask of the
// windowing side: forms and their properties, message boxes, the screen's work area. One
// runtime is in force per process: the headless one unless another was installed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quarn::forms {

// A property value: a number (positions, sizes) or a text (captions).
using Value = std::variant<std::int64_t, std::string>;

// Geometry in pixels.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

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

// A form object: a window with properties by name.
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
};

// A number property, or `otherwise` when the form lacks it or it is a text.
std::int64_t number_property(const Form& form, std::string_view name, std::int64_t otherwise = 0);

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

class Runtime {
 public:
  virtual ~Runtime() = default;
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
};

// The runtime in force.
Runtime& runtime();
// Installs a runtime (null restores the built-in headless one); returns the previous one.
Runtime* set_runtime(Runtime* runtime);

}  // namespace quarn::forms
