// The desktop form runtime on Qt 6 Widgets: real windows built from the same form
// definitions as the headless runtime. It lives in its own library, libquarn-m-qt.so,
// which the core library loads only when a form opens on a display; it uses nothing of
// the core library but the interface of forms/runtime.hpp.
#pragma once

#include <memory>
#include <vector>

#include "forms/runtime.hpp"

class QWidget;

namespace quarn::forms::qt {

class QtForm;

class QtRuntime final : public Runtime {
 public:
  QtRuntime();
  ~QtRuntime() override;

  std::string_view kind() const override { return "qt"; }
  void run_form(const FormDef& definition, FormEvents& events, const OpenOptions& options) override;
  std::optional<std::string> browse_folder(std::string_view title, std::string_view start) override;
  std::optional<std::string> open_file(const OpenFileRequest& request) override;
  std::shared_ptr<Form> active_form() override;
  std::int32_t message_box(std::string_view caption, std::string_view text,
                           std::int32_t style) override;
  Rect work_area() override;
  std::shared_ptr<ProgressWindow> create_progress(std::string_view prog_id) override;

  // The window dialogs and message boxes belong to: the running form's, else the
  // application's active window.
  QWidget* dialog_parent() const;

 private:
  std::vector<std::shared_ptr<QtForm>> forms_;
};

}  // namespace quarn::forms::qt

// The library's entry: the process's Qt runtime, with a QApplication made when the caller
// has none.
extern "C" __attribute__((visibility("default"))) quarn::forms::Runtime* quarn_forms_qt_runtime();
