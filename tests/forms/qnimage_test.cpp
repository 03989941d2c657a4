#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "docout/qim.hpp"
#include "form_fixture.hpp"
#include "forms/form_call.hpp"
#include "forms/picture_size.hpp"
#include "forms/qnimage/qnimage_form.hpp"
#include "frame/external.hpp"
#include "platform/files.hpp"
#include "quarn/quarn-m.h"

namespace quarn::testing {
namespace {

namespace fs = std::filesystem;
namespace ui = forms::qnimage::control;

// A Windows bitmap of `width` by `height` pixels, 24 bits, rows bottom up.
std::string bitmap(std::uint32_t width, std::uint32_t height) {
  const std::uint32_t row = (width * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + row * height;
  std::string b(size, '\0');
  const auto le32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  le32(2, size);
  le32(10, 54);
  le32(14, 40);
  le32(18, width);
  le32(22, height);
  b[26] = 1;
  b[28] = 24;
  le32(34, row * height);
  for (std::size_t at = 54; at < b.size(); ++at)
    b[at] = static_cast<char>(at % 3 == 0 ? 0xC0 : 0x40);
  return b;
}

std::string file_bytes(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(platform::files::read_file(path, 1 << 20, &bytes), platform::status::kOk)
      << path;
  return bytes;
}

// The work folders of image viewers in the temporary folder.
std::vector<fs::path> work_folders() {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
    if (entry.path().filename().string().starts_with("quarn-image-")) found.push_back(entry.path());
  return found;
}

class QnimageTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    // A temporary folder of the test's own, where the viewer makes its work folder.
    tmp = home + "tmp/";
    fs::create_directories(tmp);
    previous_tmp = std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "";
    setenv("TMPDIR", tmp.c_str(), 1);
    current = frame::external<QuarnCurrentQnimagename>("CURRENT-QNIMAGENAME");
    preferences = frame::external<QuarnImagePreferences>("IMAGE-PREFERENCES");
    frame::clear(current->ci_image_name);
    frame::clear(preferences->ip_fit_window);
    frame::write_le32(misc->xm_work_area_left, 0);
    frame::write_le32(misc->xm_work_area_top, 0);
    frame::write_le32(misc->xm_work_area_width, 800);
    frame::write_le32(misc->xm_work_area_height, 600);
    frame::clear(misc->xm_browse_folder);
  }
  void TearDown() override {
    platform::files::reset_syscalls();
    if (previous_tmp.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", previous_tmp.c_str(), 1);
    FormTest::TearDown();
  }

  // Opens the viewer on `name`; its outcome.
  std::int32_t open(std::string_view name) {
    frame::put_text(current->ci_image_name, name);
    std::int32_t outcome = -1;
    QUARN_QNIMAGE(nullptr, nullptr, &outcome, nullptr, nullptr, nullptr);
    return outcome;
  }
  std::shared_ptr<forms::HeadlessForm> form() const { return runtime.last_form("QNImage"); }
  std::string shown_name() const { return forms::control_text(*form(), ui::kImageName); }
  std::int64_t image(std::string_view property) const {
    return forms::control_number(*form(), ui::kImage, property);
  }
  forms::Rect image_place() const {
    namespace p = forms::property;
    return {static_cast<std::int32_t>(image(p::kLeft)), static_cast<std::int32_t>(image(p::kTop)),
            static_cast<std::int32_t>(image(p::kWidth)),
            static_cast<std::int32_t>(image(p::kHeight))};
  }
  std::string write_bitmap(const std::string& name, std::uint32_t width, std::uint32_t height) {
    const std::string path = home + name;
    write_file(path, bitmap(width, height));
    return path;
  }
  // A QIM file of the picture file `picture`.
  std::string write_qim(const std::string& name, const std::string& picture) {
    std::string qim;
    EXPECT_TRUE(docout::qim::make(file_bytes(picture), &qim));
    write_file(home + name, qim);
    return home + name;
  }
  std::string current_name() const { return std::string(frame::trimmed(current->ci_image_name)); }
  // The image viewer's work files and folders: none may stay.
  void expect_no_work_files() const {
    EXPECT_TRUE(fs::is_empty(tmp)) << "a work file or folder stayed in " << tmp;
  }

  std::string tmp;
  std::string previous_tmp;
  QuarnCurrentQnimagename* current = nullptr;
  QuarnImagePreferences* preferences = nullptr;
  const std::string jpeg = QUARN_FORMS_DATA "/forms/photo.jpg";   // 12 x 8
  const std::string png = QUARN_FORMS_DATA "/docout/square.png";  // 8 x 8
};

TEST(PictureSize, ReadsTheHeadersOfTheFourFormats) {
  const struct {
    const char* name;
    std::string bytes;
    std::optional<forms::PictureFormat> format;
    std::uint32_t width, height;
  } cases[] = {
      {"bitmap", bitmap(5, 3), forms::PictureFormat::kBitmap, 5, 3},
      {"JPEG", file_bytes(QUARN_FORMS_DATA "/forms/photo.jpg"), forms::PictureFormat::kJpeg, 12, 8},
      {"PNG", file_bytes(QUARN_FORMS_DATA "/docout/square.png"), forms::PictureFormat::kPng, 8, 8},
      {"GIF", std::string("GIF89a\x07\x00\x02\x01", 10), forms::PictureFormat::kGif, 7, 258},
      {"bitmap rows top down",
       [] {
         std::string b = bitmap(4, 2);
         b[22] = '\xFE', b[23] = b[24] = b[25] = '\xFF';  // height -2
         return b;
       }(),
       forms::PictureFormat::kBitmap, 4, 2},
      {"text", "not a picture at all", std::nullopt, 0, 0},
      {"JPEG cut before its frame", file_bytes(QUARN_FORMS_DATA "/forms/photo.jpg").substr(0, 20),
       std::nullopt, 0, 0},
      {"bitmap of width 0", bitmap(0, 3), std::nullopt, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto size = forms::picture_size(c.bytes);
    ASSERT_EQ(size.has_value(), c.format.has_value());
    if (!size) continue;
    EXPECT_EQ(size->format, *c.format);
    EXPECT_EQ(size->width, c.width);
    EXPECT_EQ(size->height, c.height);
  }
}

TEST_F(QnimageTest, ShowsBitmapsJpegsAndPngsDirectlyAndTheirName) {
  const struct {
    const char* name;
    std::string path;
    std::int64_t width, height;
  } cases[] = {
      {"bitmap", write_bitmap("wide.bmp", 40, 10), 40, 10},
      {"JPEG", jpeg, 12, 8},
      {"PNG", png, 8, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    runtime.clear_messages();
    EXPECT_EQ(open(c.path), 1);
    EXPECT_TRUE(runtime.messages().empty()) << runtime.messages().front().text;
    EXPECT_EQ(shown_name(), c.path);
    EXPECT_EQ(forms::control_text(*form(), ui::kImage, forms::property::kPicture), c.path);
    EXPECT_EQ(image(forms::property::kPictureWidth), c.width);
    EXPECT_EQ(image(forms::property::kPictureHeight), c.height);
  }
  EXPECT_EQ(form()->property(forms::property::kCaption),
            forms::Value(std::string("QUARN Image Viewer")));
}

TEST_F(QnimageTest, NamesOfMoreThan128CharactersAreRefused) {
  // Folders that make the whole name 128 and 129 characters long.
  const auto name_of_length = [&](std::size_t length) {
    const std::string stem = home + "n/";
    const std::string file = "p.bmp";
    std::string folder = stem + std::string(length - stem.size() - file.size() - 1, 'd') + "/";
    fs::create_directories(folder);
    write_file(folder + file, bitmap(3, 2));
    return folder + file;
  };
  const std::string accepted = name_of_length(128);
  ASSERT_EQ(accepted.size(), 128u);
  EXPECT_EQ(open(accepted), 1);
  EXPECT_TRUE(runtime.messages().empty());
  EXPECT_EQ(shown_name(), accepted);

  const std::string refused = name_of_length(129);
  EXPECT_EQ(open(refused), 0);
  ASSERT_EQ(message_texts().size(), 1u);
  EXPECT_EQ(message_texts()[0],
            "ERROR: The selected file path/name contains more than 128 characters...|"
            "File path/name should not contain more than 128 characters.|"
            "- Please change the filename and/or place the file in a shorter folder path.");
  EXPECT_EQ(shown_name(), "");
  EXPECT_EQ(image(forms::property::kPictureWidth), 0);
}

TEST_F(QnimageTest, EachFailureToShowHasItsMessageAndShowsNothing) {
  write_file(home + "text.bmp", "no picture");
  write_file(home + "only-version.qim", "QIM00\n");
  fs::create_directories(home + "folder.qim");
  fs::create_directories(home + "folder.jpg");
  ASSERT_EQ(::mkfifo((home + "pipe.qim").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((home + "pipe.bmp").c_str(), 0600), 0);
  const struct {
    const char* name;
    std::string file;
    std::string message;
  } cases[] = {
      {"blank name", "", "ERROR: QUARN Image file name missing!"},
      {"missing QIM", home + "gone.QIM", "ERROR: opening QUARN Image file " + home + "gone.QIM"},
      {"QIM without properties", home + "only-version.qim",
       "ERROR reading QUARN Image file properties!"},
      {"not a picture", home + "text.bmp",
       "ERROR: The image file cannot be shown: " + home + "text.bmp"},
      {"folder named as a QIM", home + "folder.qim",
       "ERROR: opening QUARN Image file " + home + "folder.qim"},
      {"folder named as a JPEG", home + "folder.jpg",
       "ERROR: The image file cannot be shown: " + home + "folder.jpg"},
      {"pipe named as a QIM", home + "pipe.qim",
       "ERROR: opening QUARN Image file " + home + "pipe.qim"},
      {"pipe named as a bitmap", home + "pipe.bmp",
       "ERROR: The image file cannot be shown: " + home + "pipe.bmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    runtime.clear_messages();
    EXPECT_EQ(open(c.file), 0);
    EXPECT_EQ(message_texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(shown_name(), "");
    EXPECT_EQ(image(forms::property::kPictureWidth), 0);
    expect_no_work_files();
  }
}

TEST_F(QnimageTest, AQimOfAnotherVersionShowsTheVersionReadAndNothingElse) {
  std::string qim = file_bytes(write_qim("photo.qim", jpeg));
  qim.replace(0, 5, "QIM07");
  write_file(home + "v7.qim", qim);
  EXPECT_EQ(open(home + "v7.qim"), 0);
  EXPECT_EQ(message_texts(),
            std::vector<std::string>{"Invalid QUARN Image file! (QIM-VERSION=QIM07)"});
  EXPECT_EQ(forms::control_text(*form(), ui::kImage, forms::property::kPicture), "");
  EXPECT_EQ(shown_name(), "");
  expect_no_work_files();
}

TEST_F(QnimageTest, AQimIsShownThroughItsJpegAndNoWorkFileStays) {
  const struct {
    const char* name;
    std::string picture;
    std::int64_t width, height;
  } cases[] = {
      {"JPEG inside, upper-case extension", jpeg, 12, 8},
      {"PNG inside", png, 8, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    runtime.clear_messages();
    const std::string qim =
        write_qim(std::string("picture-") + std::to_string(c.width) + ".QIM", c.picture);
    EXPECT_EQ(open(qim), 1);
    EXPECT_TRUE(message_texts().empty()) << message_texts().front();
    EXPECT_EQ(shown_name(), qim);
    EXPECT_EQ(image(forms::property::kPictureWidth), c.width);
    EXPECT_EQ(image(forms::property::kPictureHeight), c.height);
    // The control took the work JPEG, which is gone with its folder.
    const std::string work = forms::control_text(*form(), ui::kImage, forms::property::kPicture);
    EXPECT_TRUE(work.starts_with(tmp + "quarn-image-")) << work;
    EXPECT_TRUE(work.ends_with("/ImgVwr.jpg")) << work;
    expect_no_work_files();
  }
}

TEST_F(QnimageTest, ConversionFailuresAreReportedAndLeaveNoWorkFile) {
  const std::string qim = write_qim("photo.qim", jpeg);
  // A converter that fails, and one that writes nothing.
  const struct {
    const char* name;
    std::string program;
  } cases[] = {{"converter fails", "false"}, {"converter writes nothing", "true"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    runtime.clear_messages();
    write_file(home + "quarn-programs.map", "Hex2Bin.exe = " + c.program + "\n");
    EXPECT_EQ(open(qim), 0);
    EXPECT_EQ(message_texts(),
              std::vector<std::string>{"ERROR in converting .qim to .jpg file!|"
                                       "If you need assistance, please contact support!"});
    EXPECT_EQ(shown_name(), "");
    expect_no_work_files();
  }
}

// Deleting a work file fails: the message names it, and the viewer tries again at Exit.
int refuse_work_files(const char* path) {
  if (std::string_view(path).find("/ImgVwr.") != std::string_view::npos) {
    errno = EACCES;
    return -1;
  }
  return ::unlink(path);
}

TEST_F(QnimageTest, WorkFilesThatCannotBeDeletedAreReported) {
  const std::string qim = write_qim("photo.qim", jpeg);
  platform::files::syscalls().unlink = &refuse_work_files;
  script("close");
  EXPECT_EQ(open(qim), 1) << "the picture is shown all the same";
  const std::vector<std::string> texts = message_texts();
  ASSERT_EQ(texts.size(), 3u);
  const std::string work = forms::control_text(*form(), ui::kImage, forms::property::kPicture);
  const std::string folder = work.substr(0, work.rfind('/') + 1);
  EXPECT_EQ(texts[0], "ERROR: Failed to delete temporary hex file: " + folder +
                          "ImgVwr.hex|If you need assistance, please contact support!");
  const std::string jpeg_text = "ERROR: Unable to delete the temporary JPEG file: " + folder +
                                "ImgVwr.jpg|Please locate the above JPEG file and delete it "
                                "immediately.|If you need assistance, please contact support!";
  EXPECT_EQ(texts[1], jpeg_text);
  EXPECT_EQ(texts[2], jpeg_text) << "tried again when the form closes";
  platform::files::reset_syscalls();
  fs::remove_all(folder);
}

TEST_F(QnimageTest, TwoViewersConvertInFoldersOfTheirOwn) {
  // One viewer's work folder, as a second process has it while it converts.
  std::string other;
  ASSERT_EQ(platform::files::make_work_folder("quarn-image", &other), platform::status::kOk);
  write_file(other + "ImgVwr.hex", "FFD8");
  write_file(other + "ImgVwr.jpg", "the other viewer's picture");
  EXPECT_EQ((fs::status(other).permissions() & fs::perms::all), fs::perms::owner_all);

  EXPECT_EQ(open(write_qim("photo.qim", jpeg)), 1);
  EXPECT_TRUE(message_texts().empty()) << message_texts().front();
  EXPECT_EQ(file_bytes(other + "ImgVwr.hex"), "FFD8");
  EXPECT_EQ(file_bytes(other + "ImgVwr.jpg"), "the other viewer's picture");
  EXPECT_EQ(work_folders(), std::vector<fs::path>{fs::path(other).parent_path()});
}

TEST_F(QnimageTest, BrowseShowsTheChosenPictureAndWritesItBackTwice) {
  const std::string first = write_bitmap("first.bmp", 20, 10);
  const std::string second = write_qim("second.qim", jpeg);
  script("click CmBtn-BROWSE\nfile " + quoted(first) + "\nclick CmBtn-BROWSE\nfile " +
         quoted(second) + "\nclick CmBtn-EXIT");
  EXPECT_EQ(open(png), 1);
  expect_script_done();
  EXPECT_TRUE(message_texts().empty());
  ASSERT_EQ(runtime.dialogs().size(), 2u);
  for (const auto& dialog : runtime.dialogs()) {
    EXPECT_EQ(dialog.title, "Image Viewer File Open" + std::string(10, ' '));
    const std::vector<std::pair<std::string, std::string>> filters{
        {"JPEG Files (*.jpg)", "*.jpg"},
        {"Quarn Image Files (*.qim)", "*.qim"},
        {"Windows Bitmap Files (*.bmp)", "*.bmp"},
        {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(dialog.filters, filters);
  }
  EXPECT_EQ(runtime.dialogs()[1].start, home.substr(0, home.size() - 1))
      << "the second starts in the folder of the first";
  EXPECT_EQ(shown_name(), second);
  EXPECT_EQ(image(forms::property::kPictureWidth), 12);
  EXPECT_EQ(current_name(), second);
  expect_no_work_files();
}

TEST_F(QnimageTest, BrowseCancelledKeepsThePicture) {
  script("click CmBtn-BROWSE\nfile cancel\nclick CmBtn-EXIT");
  EXPECT_EQ(open(jpeg), 1);
  expect_script_done();
  EXPECT_EQ(shown_name(), jpeg);
  EXPECT_EQ(image(forms::property::kPictureWidth), 12);
  EXPECT_EQ(current_name(), jpeg);
}

TEST_F(QnimageTest, ABrowsedPictureThatCannotBeShownKeepsTheOneShown) {
  write_file(home + "broken.jpg", "no picture");
  script("click CmBtn-BROWSE\nfile " + quoted(home + "broken.jpg") + "\nclick CmBtn-EXIT");
  EXPECT_EQ(open(jpeg), 1);
  EXPECT_EQ(message_texts(), std::vector<std::string>{
                                 "ERROR: The image file cannot be shown: " + home + "broken.jpg"});
  EXPECT_EQ(shown_name(), jpeg);
  EXPECT_EQ(image(forms::property::kPictureWidth), 12);
  EXPECT_EQ(current_name(), jpeg) << "only a picture shown is written back";
}

// A runtime in which the user clicks Browse again while the file dialog is open.
class ImpatientRuntime : public forms::HeadlessRuntime {
 public:
  void run_form(const forms::FormDef& definition, forms::FormEvents& events,
                const forms::OpenOptions& options) override {
    events_ = &events;
    HeadlessRuntime::run_form(definition, events, options);
  }
  std::optional<std::string> open_file(const forms::OpenFileRequest& request) override {
    if (auto form = active_form(); form != nullptr && events_ != nullptr)
      events_->click(*form, ui::kBrowse);
    return HeadlessRuntime::open_file(request);
  }

 private:
  forms::FormEvents* events_ = nullptr;
};

TEST_F(QnimageTest, BrowseWhileTheDialogIsOpenIsRefused) {
  ImpatientRuntime impatient;
  forms::set_runtime(&impatient);
  ASSERT_TRUE(impatient.set_script("click CmBtn-BROWSE\nfile cancel\nclick CmBtn-EXIT"));
  EXPECT_EQ(open(jpeg), 1);
  forms::set_runtime(&runtime);
  ASSERT_EQ(impatient.messages().size(), 1u);
  EXPECT_EQ(impatient.messages()[0].text, "ERROR: QUARN File Browse is already in use!");
  EXPECT_EQ(impatient.dialogs().size(), 1u) << "one dialog only";
}

TEST_F(QnimageTest, ResizeFitsTheWindowToThePictureWithinTheWorkArea) {
  const struct {
    const char* name;
    std::uint32_t width, height;
    forms::Rect window;  // left, top, width, height
    forms::Rect picture;
  } cases[] = {
      // Larger than the 800 x 600 work area: the window takes all of it, the picture keeps
      // its proportions in the 800 x 560 below the strip.
      {"larger than the work area", 2000, 1500, {0, 0, 800, 600}, {27, 40, 746, 560}},
      {"smaller", 300, 200, {0, 0, 300, 240}, {0, 40, 300, 200}},
      {"wider than the work area", 1600, 100, {0, 0, 800, 140}, {0, 65, 800, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = write_bitmap("big.bmp", c.width, c.height);
    script("click CmBtn-Resize\nclick CmBtn-EXIT");
    EXPECT_EQ(open(path), 1);
    expect_script_done();
    EXPECT_EQ(forms::form_place(*form()), c.window);
    EXPECT_EQ(image_place(), c.picture);
    EXPECT_EQ(forms::control_number(*form(), ui::kImageName, forms::property::kWidth),
              c.window.width - 232);
  }
}

TEST_F(QnimageTest, ResizeKeepsTheWindowInsideAnOffsetWorkArea) {
  frame::write_le32(misc->xm_work_area_left, 100);
  frame::write_le32(misc->xm_work_area_top, 50);
  frame::write_le32(misc->xm_work_area_width, 640);
  frame::write_le32(misc->xm_work_area_height, 480);
  script("click CmBtn-Resize\nclick CmBtn-EXIT");
  EXPECT_EQ(open(write_bitmap("big.bmp", 1000, 1000)), 1);
  EXPECT_EQ(forms::form_place(*form()), (forms::Rect{100, 50, 640, 480}));
  EXPECT_EQ(image_place(), (forms::Rect{100, 40, 440, 440}));
}

TEST_F(QnimageTest, ThePictureIsFittedWheneverTheWindowChangesSize) {
  const struct {
    const char* name;
    std::string steps;
    bool fit_window;
    forms::Rect picture;
  } cases[] = {
      // A picture of 780 x 520 in the form's first 480 x 320 below the strip.
      {"as opened", "", false, {0, 40, 480, 320}},
      {"made tall", "size 300 640\n", false, {0, 240, 300, 200}},
      {"made wide", "size 900 240\n", false, {300, 40, 300, 200}},
      {"fitted at opening by the preference", "", true, {0, 40, 780, 520}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    preferences->ip_fit_window[0] = c.fit_window ? 'Y' : ' ';
    script(c.steps + "click CmBtn-EXIT");
    EXPECT_EQ(open(write_bitmap("p.bmp", 780, 520)), 1);
    expect_script_done();
    EXPECT_EQ(image_place(), c.picture);
  }
}

TEST_F(QnimageTest, ExitAndTheCloseBoxEndTheForm) {
  for (const char* step : {"click CmBtn-EXIT", "close"}) {
    SCOPED_TRACE(step);
    script(std::string(step) + "\nclick CmBtn-Resize");
    EXPECT_EQ(open(jpeg), 1);
    EXPECT_EQ(runtime.pending_steps(), 1u) << "the form ended at the first step";
    expect_no_work_files();
  }
}

}  // namespace
}  // namespace quarn::testing
