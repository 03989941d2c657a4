// QNIMAGE: the image viewer. It shows the picture named in CURRENT-QNIMAGENAME (a QIM file
// through a JPEG work file that "Hex2Bin.exe" makes from its hexadecimal records; any
// other file as it is), lets the user choose another with FLBROWSE, fits the window to the
// picture within the screen's work area, and fits the picture into the window whenever the
// window's size changes.
//
// The work files "ImgVwr.hex" and "ImgVwr.jpg" live in a folder of their own that each
// viewer makes in the temporary folder, readable only by its user, so that two viewers
// converting at once never meet each other's files; the viewer removes them as soon as the
// picture is shown, and the folder when the form closes.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "forms/form_call.hpp"
#include "forms/loader.hpp"
#include "forms/qnimage/qnimage_form.hpp"
#include "forms/shared/form_services.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/external.hpp"
#include "frame/misc_area.hpp"
#include "platform/files.hpp"
#include "platform/lineseq.hpp"
#include "platform/process.hpp"
#include "platform/replace_file.hpp"
#include "system/start_request.hpp"

namespace quarn {
namespace {

using forms::Form;
using forms::Value;
namespace property = forms::property;
namespace ui = forms::qnimage::control;
namespace mb = forms::message_box;
namespace files = platform::files;

constexpr std::size_t kNameLimit = 128;
constexpr std::string_view kHexName = "ImgVwr.hex";
constexpr std::string_view kJpegName = "ImgVwr.jpg";
constexpr std::string_view kVersion = "QIM00";
constexpr std::size_t kVersionWidth = 5;

constexpr std::string_view kNameMissing = "ERROR: QUARN Image file name missing!";
constexpr std::string_view kNameTooLong =
    "ERROR: The selected file path/name contains more than 128 characters...|"
    "File path/name should not contain more than 128 characters.|"
    "- Please change the filename and/or place the file in a shorter folder path.";
constexpr std::string_view kOpenFailed = "ERROR: opening QUARN Image file ";
constexpr std::string_view kReadFailed = "ERROR reading QUARN Image file properties!";
constexpr std::string_view kInvalid = "Invalid QUARN Image file! (QIM-VERSION=";
constexpr std::string_view kHexFailed = "ERROR opening temporary hex file!";
constexpr std::string_view kConvertFailed = "ERROR in converting .qim to .jpg file!";
constexpr std::string_view kHexNotDeleted = "ERROR: Failed to delete temporary hex file: ";
constexpr std::string_view kJpegNotDeleted = "ERROR: Unable to delete the temporary JPEG file: ";
constexpr std::string_view kJpegLocate =
    "Please locate the above JPEG file and delete it immediately.";
constexpr std::string_view kSupport = "If you need assistance, please contact support!";
constexpr std::string_view kBrowseInUse = "ERROR: QUARN File Browse is already in use!";
constexpr std::string_view kCannotShow = "ERROR: The image file cannot be shown: ";
constexpr std::string_view kBrowseTitle = "Image Viewer File Open";
constexpr std::string_view kBrowseFilter =
    "JPEG Files (*.jpg)|*.jpg|Quarn Image Files (*.qim)|*.qim|"
    "Windows Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*";

struct State {
  std::string work_folder;  // with a final "/"; empty until the first QIM picture
  std::string jpeg_left;    // a JPEG work file that could not be deleted, tried again at Exit
  bool browsing = false;    // FLBROWSE is open
  bool shown = false;       // a picture was shown during this opening
  forms::Rect place;        // where the form was when it closed
};
State state;

void message(std::string_view text, std::int32_t style = mb::kCritical) {
  forms::runtime().message_box(forms::qnimage::kTitle, text, style);
}

std::int64_t number(const Form& form, std::string_view name) {
  return forms::number_property(form, name);
}

void place_control(Form& form, std::string_view control, const forms::Rect& r) {
  form.set_control_property(control, property::kLeft, Value(std::int64_t{r.left}));
  form.set_control_property(control, property::kTop, Value(std::int64_t{r.top}));
  form.set_control_property(control, property::kWidth, Value(std::int64_t{r.width}));
  form.set_control_property(control, property::kHeight, Value(std::int64_t{r.height}));
}

bool is_qim(std::string_view name) {
  if (name.size() < 4) return false;
  std::string extension(name.substr(name.size() - 4));
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".qim";
}

// ---- fitting ----

// The largest rectangle with the picture's proportions that fits `area`, centred in it;
// the whole area when there is no picture.
forms::Rect fitted(std::int64_t width, std::int64_t height, const forms::Rect& area) {
  if (width <= 0 || height <= 0 || area.width <= 0 || area.height <= 0) return area;
  std::int64_t w = area.width;
  std::int64_t h = area.height;
  if (area.width * height <= area.height * width)
    h = std::max<std::int64_t>(1, height * area.width / width);
  else
    w = std::max<std::int64_t>(1, width * area.height / height);
  return {static_cast<std::int32_t>(area.left + (area.width - w) / 2),
          static_cast<std::int32_t>(area.top + (area.height - h) / 2), static_cast<std::int32_t>(w),
          static_cast<std::int32_t>(h)};
}

// The picture into the window's client area below the strip, and the name across it.
void fit(Form& form) {
  namespace layout = forms::qnimage;
  const auto client_width = static_cast<std::int32_t>(number(form, property::kClientWidth));
  const auto client_height = static_cast<std::int32_t>(number(form, property::kClientHeight));
  form.set_control_property(
      ui::kImageName, property::kWidth,
      Value(std::int64_t{std::max(0, client_width - layout::kNameLeft - layout::kMargin)}));
  const forms::Rect area{0, layout::kStripHeight, std::max(0, client_width),
                         std::max(0, client_height - layout::kStripHeight)};
  place_control(form, ui::kImage,
                fitted(forms::control_number(form, ui::kImage, property::kPictureWidth),
                       forms::control_number(form, ui::kImage, property::kPictureHeight), area));
}

// The screen's work area the application keeps in X-MISC-EXTERNAL-WS; the runtime's own
// when it was never filled.
forms::Rect work_area() {
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  forms::Rect area;
  if (misc != nullptr) {
    area = {frame::read_le32(misc->xm_work_area_left), frame::read_le32(misc->xm_work_area_top),
            frame::read_le32(misc->xm_work_area_width),
            frame::read_le32(misc->xm_work_area_height)};
  }
  if (area.width <= 0 || area.height <= 0) area = forms::runtime().work_area();
  return area;
}

// Resize: the window to the picture and the strip, its frame added, each side at most
// the work area's; moved to lie inside the work area; then the picture fitted into it.
void resize_to_picture(Form& form) {
  const std::int64_t picture_width =
      forms::control_number(form, ui::kImage, property::kPictureWidth);
  const std::int64_t picture_height =
      forms::control_number(form, ui::kImage, property::kPictureHeight);
  if (picture_width > 0 && picture_height > 0) {
    const forms::Rect area = work_area();
    const std::int64_t width = number(form, property::kWidth);
    const std::int64_t height = number(form, property::kHeight);
    const std::int64_t extent_width = number(form, property::kExtentWidth);
    const std::int64_t extent_height = number(form, property::kExtentHeight);
    const std::int64_t outer_width = std::min<std::int64_t>(
        picture_width + extent_width - number(form, property::kClientWidth), area.width);
    const std::int64_t outer_height =
        std::min<std::int64_t>(picture_height + forms::qnimage::kStripHeight + extent_height -
                                   number(form, property::kClientHeight),
                               area.height);
    form.set_property(property::kWidth, Value(outer_width - (extent_width - width)));
    form.set_property(property::kHeight, Value(outer_height - (extent_height - height)));
    const auto inside = [](std::int64_t at, std::int64_t start, std::int64_t room,
                           std::int64_t size) {
      return std::max(start, std::min(at, start + room - size));
    };
    form.set_property(property::kLeft, Value(inside(number(form, property::kLeft), area.left,
                                                    area.width, outer_width)));
    form.set_property(property::kTop, Value(inside(number(form, property::kTop), area.top,
                                                   area.height, outer_height)));
  }
  fit(form);
}

// ---- the work files ----

bool delete_work_file(const std::string& path, std::string_view failure_text, bool jpeg) {
  const platform::FileStatus removed = files::remove_file(path);
  if (removed == platform::status::kOk || removed == platform::status::kMissing) return true;
  std::string text = std::string(failure_text) + path;
  if (jpeg) text += "|" + std::string(kJpegLocate);
  message(text + "|" + std::string(kSupport));
  return false;
}

void remove_work_folder() {
  if (state.work_folder.empty()) return;
  // A JPEG work file that could not be deleted is tried once more, and reported again.
  if (!state.jpeg_left.empty() && files::is_file(state.jpeg_left))
    delete_work_file(state.jpeg_left, kJpegNotDeleted, true);
  state.jpeg_left.clear();
  // A hex file is left only when its deletion failed, which was reported then.
  files::remove_file(state.work_folder + std::string(kHexName));
  // The folder stays only when a work file in it could not be deleted, which was reported;
  // the next opening makes a new one.
  files::remove_folder(state.work_folder);
  state.work_folder.clear();
}

// The QIM picture as a JPEG work file: its path, or empty after the message saying why.
std::string convert(const std::string& name) {
  platform::lineseq::LineReader reader;
  if (reader.open(name) != platform::status::kOk) {
    message(std::string(kOpenFailed) + name);
    return {};
  }
  std::string version;
  std::string properties;
  if (reader.read(version) != platform::status::kOk ||
      reader.read(properties) != platform::status::kOk) {
    message(kReadFailed);
    return {};
  }
  version.resize(kVersionWidth, ' ');
  if (version != kVersion) {
    message(std::string(kInvalid) + version + ")");
    return {};
  }

  if (state.work_folder.empty() &&
      files::make_work_folder("quarn-image", &state.work_folder) != platform::status::kOk) {
    state.work_folder.clear();
    message(std::string(kHexFailed) + "|" + std::string(kSupport));
    return {};
  }
  const std::string hex = state.work_folder + std::string(kHexName);
  const std::string jpeg = state.work_folder + std::string(kJpegName);
  {
    platform::lineseq::LineWriter writer;
    bool written =
        writer.open(hex, platform::lineseq::WriteMode::kReplace) == platform::status::kOk;
    std::string record;
    while (written && reader.read(record) == platform::status::kOk)
      written = writer.write(record) == platform::status::kOk;
    if (writer.close() != platform::status::kOk) written = false;
    if (!written) {
      files::remove_file(hex);
      message(std::string(kHexFailed) + "|" + std::string(kSupport));
      return {};
    }
  }
  reader.close();

  // The converter's line; the names are one argument, quoted, so that a space in the
  // temporary folder's name cannot split it.
  system::StartRequest start{};
  const bool started =
      start.run("Hex2Bin.exe " + platform::process::quoted_argument(hex + "," + jpeg), 0, 1) != 0;
  if (!started || frame::read_le32(start.exit_code) != 0 || !files::is_file(jpeg)) {
    files::remove_file(jpeg);
    delete_work_file(hex, kHexNotDeleted, false);
    message(std::string(kConvertFailed) + "|" + std::string(kSupport));
    return {};
  }
  return jpeg;
}

// ---- showing a picture ----

// Shows the picture `name`; false (after the message saying why) when it is not shown,
// and the form keeps the picture it had.
bool show_picture(Form& form, std::string_view name) {
  if (name.empty()) {
    message(kNameMissing);
    return false;
  }
  if (name.size() > kNameLimit) {
    message(kNameTooLong, mb::kWarning);
    return false;
  }
  const std::string path(name);
  // Only a plain file is read: a folder has no picture, and a pipe or a device could
  // block the viewer or never end.
  std::error_code error;
  const bool plain = std::filesystem::is_regular_file(files::native_path(path), error);
  if (!plain) {
    message(std::string(is_qim(path) ? kOpenFailed : kCannotShow) + path);
    return false;
  }
  bool loaded = false;
  if (is_qim(path)) {
    const std::string jpeg = convert(path);
    if (jpeg.empty()) return false;
    loaded = form.set_control_property(ui::kImage, property::kPicture, Value(jpeg));
    delete_work_file(state.work_folder + std::string(kHexName), kHexNotDeleted, false);
    // The control keeps the picture; the JPEG work file goes at once.
    if (!delete_work_file(jpeg, kJpegNotDeleted, true)) state.jpeg_left = jpeg;
  } else {
    loaded = form.set_control_property(ui::kImage, property::kPicture, Value(path));
  }
  if (!loaded) {
    message(std::string(kCannotShow) + path);
    return false;
  }
  form.set_control_property(ui::kImageName, property::kText, Value(path));
  state.shown = true;
  const auto* preferences = frame::external<QuarnImagePreferences>("IMAGE-PREFERENCES");
  if (preferences != nullptr && preferences->ip_fit_window[0] == 'Y')
    resize_to_picture(form);
  else
    fit(form);
  return true;
}

QuarnCurrentQnimagename* current_name() {
  return frame::external<QuarnCurrentQnimagename>("CURRENT-QNIMAGENAME");
}

void browse(Form& form) {
  if (state.browsing) {
    message(kBrowseInUse);
    return;
  }
  QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc == nullptr) return;
  forms::put_filter(misc->xm_browse_path, kBrowseFilter);
  frame::put_text(misc->xm_browse_title, kBrowseTitle);
  state.browsing = true;
  forms::open_form("FLBROWSE");
  state.browsing = false;
  if (frame::read_unsigned(misc->xm_browse_result).value_or(0) == 0) return;  // Cancel

  const std::string_view field(misc->xm_browse_path, sizeof misc->xm_browse_path);
  std::string chosen(frame::zero_ended(misc->xm_browse_path));
  // A path that fills the field without its zero byte may have been cut there: unless it
  // names a file as it is, it was longer than the viewer takes.
  if (field.find('\0') == std::string_view::npos && !files::is_file(chosen))
    chosen.resize(kNameLimit + 1, ' ');
  if (!show_picture(form, chosen)) return;
  if (QuarnCurrentQnimagename* current = current_name(); current != nullptr)
    frame::put_text(current->ci_image_name, chosen);
}

void close_form(Form& form) {
  state.place = forms::form_place(form);
  remove_work_folder();
  form.end();
}

// ---- the events ----

class QnImageEvents final : public forms::FormEvents {
 public:
  void load(Form& form) override {
    for (const std::string_view hidden : {ui::kSecondImage, ui::kTemp})
      form.set_control_property(hidden, property::kVisible, Value(std::int64_t{0}));
    fit(form);
    if (const QuarnCurrentQnimagename* current = current_name(); current != nullptr)
      show_picture(form, frame::zero_ended(current->ci_image_name));
    // Once the window is shown at its real size, the timer fits the picture into it.
    form.set_control_property(ui::kTimer, property::kInterval, Value(std::int64_t{1}));
    form.set_control_property(ui::kTimer, property::kEnabled, Value(std::int64_t{1}));
  }

  void timer(Form& form, std::string_view name) override {
    if (name != ui::kTimer) return;
    form.set_control_property(ui::kTimer, property::kEnabled, Value(std::int64_t{0}));
    fit(form);
  }

  void click(Form& form, std::string_view name) override {
    if (name == ui::kBrowse) {
      browse(form);
    } else if (name == ui::kResize) {
      resize_to_picture(form);
    } else if (name == ui::kExit) {
      close_form(form);
    } else if (name == ui::kHelp) {
      forms::open_help("QUARN.CHM", "QUARN_ImageViewer.htm", "");
    }
  }

  void resize(Form& form) override { fit(form); }

  void close_request(Form& form) override { close_form(form); }
};

// The sixth parameter is reserved and not read.
std::int32_t qnimage(QuarnFormOwner* owner, std::int32_t* modal_style, std::int32_t* outcome,
                     QuarnFormPlace* place, char* runtime_name, char*) {
  const forms::FormCall call(owner, modal_style, outcome, place, runtime_name);
  forms::Runtime& runtime = forms::form_runtime();
  state.shown = false;
  state.browsing = false;
  state.place = call.options().place;
  QnImageEvents events;
  runtime.run_form(forms::qnimage::kForm, events, call.options());
  // However the form ended, no work file stays behind.
  remove_work_folder();
  call.finish(state.shown, state.place, runtime.kind());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((QNIMAGE), quarn::qnimage, 0, (owner, QuarnFormOwner), (modal_style, std::int32_t),
              (outcome, std::int32_t), (place, QuarnFormPlace), (runtime, char[8]),
              (reserved, char[4]));
