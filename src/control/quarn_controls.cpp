// QUARN-CONTROLS: control-file requests of a form program, with its window's place and size.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "control/form_program.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"

namespace quarn::control {
namespace {

using frame::ConstField;

constexpr std::size_t kNumberWidth = 9;
constexpr std::int64_t kMinimumHeight = 20;  // a lower window is minimised: not saved
constexpr std::int32_t kVisibleHeight = 20;  // kept on screen when bounding
constexpr std::int32_t kVisibleWidth = 100;

bool method_is(const QuarnControlRequest& request, std::string_view name) {
  return frame::trimmed(request.ctl_method) == name;
}

// The stored form of a location: four signed nine-digit numbers, commas between them.
void put_location(QuarnControlRequest& request, const std::array<std::int64_t, 4>& numbers) {
  frame::clear(request.ctl_value);
  char* at = request.ctl_value;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) *at++ = ',';
    frame::write_signed(frame::Field(at, kNumberWidth), numbers[i], frame::SignConvention::kRecord);
    at += kNumberWidth;
  }
}

// The four numbers of a stored location, split at commas or spaces; a missing or
// unreadable part counts as 0.
std::array<std::int64_t, 4> read_location(ConstField value) {
  std::array<std::int64_t, 4> numbers{};
  std::size_t part = 0;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= value.size() && part < numbers.size(); ++i) {
    if (i < value.size() && value[i] != ',' && value[i] != ' ') continue;
    if (i > begin || (i < value.size() && value[i] == ',')) {
      // Right-justify the part in nine digits, as a move into a nine-digit field does.
      const ConstField text = value.subspan(begin, i - begin);
      char digits[kNumberWidth];
      std::memset(digits, '0', sizeof digits);
      const std::size_t kept = std::min(text.size(), kNumberWidth);
      std::memcpy(digits + kNumberWidth - kept, text.data() + text.size() - kept, kept);
      numbers[part++] = frame::read_signed(digits).value_or(0);
    }
    begin = i + 1;
  }
  return numbers;
}

// The work area the application stored at main-window start; the runtime's own when
// that was never filled.
forms::Rect work_area(const QuarnXMiscExternalWs& misc) {
  forms::Rect area{
      frame::read_le32(misc.xm_work_area_left), frame::read_le32(misc.xm_work_area_top),
      frame::read_le32(misc.xm_work_area_width), frame::read_le32(misc.xm_work_area_height)};
  if (area.width <= 0 || area.height <= 0) area = forms::runtime().work_area();
  return area;
}

void save_location(FormProgram& program, bool release_form) {
  QuarnControlRequest& request = program.request;
  std::array<std::int64_t, 4> numbers{};
  if (program.form) {
    const forms::Form& form = *program.form;
    numbers = {forms::number_property(form, forms::property::kTop),
               forms::number_property(form, forms::property::kLeft),
               forms::number_property(form, forms::property::kExtentWidth),
               forms::number_property(form, forms::property::kExtentHeight)};
  }
  // The reference goes once the place has been read from it.
  if (release_form) program.form.reset();
  frame::clear(request.ctl_value);
  if (numbers[3] < kMinimumHeight) {
    frame::put_text(request.ctl_status, "00");
    return;
  }
  put_location(request, numbers);
  control_file(request, program.message, program.names());
}

void restore_location(FormProgram& program) {
  QuarnControlRequest& request = program.request;
  control_file(request, program.message, program.names());
  const std::string_view status(request.ctl_status, 2);
  if (status != "00" && status != "23" && status != "  ") return;
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc == nullptr || !program.form) return;
  forms::Form& form = *program.form;

  if (status != "23" && misc->xm_preferences[0] == 'S' && !frame::is_blank(request.ctl_value)) {
    // Sizes are stored in the pixels the runtime reports, so they apply unscaled.
    const auto numbers = read_location(request.ctl_value);
    form.set_property(forms::property::kTop, numbers[0]);
    form.set_property(forms::property::kLeft, numbers[1]);
    form.set_property(forms::property::kWidth, numbers[2]);
    form.set_property(forms::property::kHeight, numbers[3]);
  }

  const forms::Rect area = work_area(*misc);
  std::int64_t top = forms::number_property(form, forms::property::kTop);
  std::int64_t left = forms::number_property(form, forms::property::kLeft);
  const std::int64_t width = forms::number_property(form, forms::property::kWidth);
  top = std::min<std::int64_t>(top, std::int64_t{area.top} + area.height - kVisibleHeight);
  left = std::min<std::int64_t>(left, std::int64_t{area.left} + area.width - kVisibleWidth);
  top = std::max<std::int64_t>(top, area.top);
  // A window whose right edge lies left of the work area keeps 100 pixels in view.
  if (left + width < std::int64_t{area.left} + kVisibleWidth) {
    left = std::int64_t{area.left} + kVisibleWidth - width;
  }
  form.set_property(forms::property::kTop, top);
  form.set_property(forms::property::kLeft, left);
}

}  // namespace

void quarn_controls(FormProgram& program) {
  if (method_is(program.request, "CloseForm")) {
    save_location(program, true);
  } else if (method_is(program.request, "SaveUserWindowLocation")) {
    save_location(program, false);
  } else if (method_is(program.request, "SetUserWindowLocation")) {
    restore_location(program);
  } else {
    control_file(program.request, program.message, program.names());
  }
}

}  // namespace quarn::control
