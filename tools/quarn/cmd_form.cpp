// quarn form orgedit|browse|image|backup: opens ORGEDIT, FLBROWSE, QNIMAGE or QNBK-FOLDER,
// on the desktop, headless with a script, or offscreen to take a picture of the form.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "form";

struct Options {
  std::string_view form;
  std::string_view folder, title, filter, script, screenshot;
  bool has_title = false, has_filter = false;
  std::string script_prefix;  // steps taken before the script's own
};

// The runtime: headless with the script, offscreen for a picture, else the library's choice.
bool choose_runtime(const Options& o) {
  if (!o.screenshot.empty()) {
    setenv("QUARN_FORMS", "qt", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QUARN_FORMS_SCREENSHOT", std::string(o.screenshot).c_str(), 1);
  }
  if (o.script.empty()) return true;
  setenv("QUARN_FORMS", "headless", 1);
  std::ifstream in{std::string(o.script), std::ios::binary};
  if (!in) {
    cannot_run(kName, "cannot read the script " + std::string(o.script));
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  char error[200];
  if (quarn_forms_script((o.script_prefix + text.str()).c_str(), error, sizeof error) != 0) {
    failure(kName, std::string(o.script) + ": " + error);
    return false;
  }
  return true;
}

// After --screenshot: whether the picture was written.
int screenshot_result(std::string_view path, int otherwise) {
  if (path.empty()) return otherwise;
  if (!std::ifstream(std::string(path), std::ios::binary))
    return failure(kName, "no picture was written to " + std::string(path));
  std::printf("screenshot: %.*s\n", static_cast<int>(path.size()), path.data());
  return otherwise;
}

// The message boxes the form showed (the headless runtime records them).
void print_messages() {
  char caption[64];
  char text[512];
  int32_t style = 0;
  int32_t answer = 0;
  for (int32_t i = 0;
       quarn_forms_message(i, caption, sizeof caption, text, sizeof text, &style, &answer) == 1;
       ++i)
    std::printf("message: %s: %s (style %d, answer %d)\n", caption, text, style, answer);
}

bool put_checked(std::span<char> field, std::string_view value, std::string_view what,
                 std::string& error) {
  if (value.size() > field.size()) {
    error = std::string(what) + " has more than " + std::to_string(field.size()) + " characters";
    return false;
  }
  put_field(field, value);
  return true;
}

// "Text|*.x|All|*.*" as the browse fields hold it: each part ended by a zero byte, the
// list by a further one.
bool put_filter(std::span<char> field, std::string_view filter, std::string& error) {
  std::string parts(filter);
  for (char& c : parts)
    if (c == '|') c = '\0';
  parts += std::string(2, '\0');
  if (parts.size() > field.size()) {
    error = "the filter has more than 126 characters";
    return false;
  }
  std::memset(field.data(), 0, field.size());
  std::memcpy(field.data(), parts.data(), parts.size());
  return true;
}

// ---- backup: QNBK-FOLDER, preset through QNBK-PARAMETERS ----

// A folder for the area: with a final separator, at most the field's width.
bool put_folder(std::span<char> field, std::string_view folder, std::string_view what,
                std::string& error) {
  std::string value = to_record(folder);
  if (!value.empty() && !value.ends_with('/') && !value.ends_with('\\')) value += '/';
  return put_checked(field, value, what, error);
}

int run_backup(const Parsed& line, Options& o) {
  if (line.has("--zip") && o.script.empty())
    return usage_error(kName,
                       "--zip needs --headless (on the desktop: Options > Backup to Zip file)");
  if (line.has("--cloud") && !line.has("--source"))
    return usage_error(kName, "--cloud needs --source (the cloud flag counts only with it)");
  auto* area = static_cast<QuarnQnbkParameters*>(
      quarn_external_area("QNBK-PARAMETERS", sizeof(QuarnQnbkParameters)));
  if (area == nullptr) return failure(kName, "QNBK-PARAMETERS cannot be had");
  std::memset(area, ' ', sizeof *area);
  std::string error;
  if (line.has("--source")) {
    std::memcpy(area->qnbk_marker, "QNBK", 4);
    if (!put_folder(area->qnbk_folder, line.value("--source"), "--source", error))
      return usage_error(kName, error);
  }
  if (!put_folder(area->qnbk_destination, line.value("--dest"), "--dest", error))
    return usage_error(kName, error);
  if (line.has("--cloud")) area->qnbk_cloud_flag[0] = 'Y';
  if (line.has("--zip")) o.script_prefix = "check Zip-MenuItem 1\n";
  if (!choose_runtime(o)) return kCannotRun;

  int32_t outcome = 0;
  char runtime[8];
  QUARN_QNBK_FOLDER(nullptr, nullptr, &outcome, nullptr, runtime, nullptr);
  print_messages();
  const std::string result(area->qnbk_result, 2);
  std::printf("%s %s\n", result.c_str(),
              result == "00"   ? "backed up"
              : result == "01" ? "not backed up"
                               : "the backup failed");
  return screenshot_result(o.screenshot, result == "00" ? kOk : kFailure);
}

int run(const Parsed& line) {
  Options o;
  o.form = line.operand(0);
  o.folder = line.value("--folder");
  o.title = line.value("--title");
  o.filter = line.value("--filter");
  o.script = line.value("--headless");
  o.screenshot = line.value("--screenshot");
  o.has_title = line.has("--title");
  o.has_filter = line.has("--filter");
  if (o.form != "orgedit" && o.form != "browse" && o.form != "image" && o.form != "backup")
    return usage_error(kName, "expects one form: orgedit, browse, image or backup");
  if ((o.form == "image") != (line.count() == 2))
    return usage_error(kName, o.form == "image" ? "image expects the picture FILE"
                                                : std::string(o.form) + " takes no FILE");
  if (o.form == "image" && (o.has_title || o.has_filter || line.has("--folder")))
    return usage_error(kName, "--folder, --title and --filter do not belong to image");
  const bool backup_option =
      line.has("--source") || line.has("--dest") || line.has("--zip") || line.has("--cloud");
  if (o.form != "backup" && backup_option)
    return usage_error(kName, "--source, --dest, --zip and --cloud belong to backup");
  if (o.form == "backup" && (line.has("--folder") || o.has_title || o.has_filter))
    return usage_error(kName, "--folder, --title and --filter do not belong to backup");
  if (o.form == "orgedit" && (o.has_title || o.has_filter))
    return usage_error(kName, "--title and --filter belong to browse");
  if (line.has("--headless") && line.has("--screenshot"))
    return usage_error(kName, "--headless and --screenshot exclude each other");
  apply_home(line);
  auto* misc = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  if (misc == nullptr) return failure(kName, "X-MISC-EXTERNAL-WS cannot be had");
  if (o.form == "backup") return run_backup(line, o);
  std::string error;
  if (!choose_runtime(o)) return kCannotRun;

  int32_t outcome = 0;
  char runtime[8];
  if (o.form == "orgedit") {
    if (!put_checked(misc->xm_document_folder, o.folder, "the folder", error))
      return usage_error(kName, error);
    QUARN_ORGEDIT(nullptr, nullptr, &outcome, nullptr, runtime, nullptr);
    print_messages();
    std::printf("%s\n", outcome == 1 ? "saved" : "not saved");
    return screenshot_result(o.screenshot, kOk);
  }

  if (o.form == "image") {
    auto* current = static_cast<QuarnCurrentQnimagename*>(
        quarn_external_area("CURRENT-QNIMAGENAME", sizeof(QuarnCurrentQnimagename)));
    if (current == nullptr) return failure(kName, "CURRENT-QNIMAGENAME cannot be had");
    if (!put_checked(current->ci_image_name, line.operand(1), "the picture's name", error))
      return usage_error(kName, error);
    QUARN_QNIMAGE(nullptr, nullptr, &outcome, nullptr, runtime, nullptr);
    print_messages();
    std::string_view shown(current->ci_image_name, sizeof current->ci_image_name);
    shown = shown.substr(0, shown.find_last_not_of(' ') + 1);
    if (outcome == 1) {
      std::printf("shown: %s\n", to_terminal(shown).c_str());
      return screenshot_result(o.screenshot, kOk);
    }
    std::printf("not shown\n");
    return screenshot_result(o.screenshot, kFailure);
  }

  const std::string title =
      record_text(o.has_title ? o.title : "Browse", misc->xm_browse_title, "the title");
  if (!put_checked(misc->xm_browse_folder, o.folder, "the folder", error) ||
      !put_filter(misc->xm_browse_path, to_record(o.has_filter ? o.filter : "All Files|*.*"),
                  error))
    return usage_error(kName, error);
  put_field(misc->xm_browse_title, title);
  QUARN_FLBROWSE(nullptr, nullptr, &outcome, nullptr, runtime);
  std::string_view path(misc->xm_browse_path, sizeof misc->xm_browse_path);
  path = path.substr(0, path.find('\0'));
  const std::string_view result(misc->xm_browse_result, 4);
  if (outcome == 1) {
    std::printf("%.*s %s\n", 4, result.data(), to_terminal(path).c_str());
    return screenshot_result(o.screenshot, kOk);
  }
  std::printf("%.*s\n", 4, result.data());
  return screenshot_result(o.screenshot, kFailure);
}

const Registration registration(
    {.name = "form",
     .summary = "open the ORGEDIT, FLBROWSE, QNIMAGE or QNBK-FOLDER form",
     .synopsis = "orgedit [--home DIR] [--folder DIR] [--headless SCRIPT | --screenshot PNG]\n"
                 "browse [--home DIR] [--title T] [--filter \"Text|*.x|...\"] [--folder DIR]\n"
                 "       [--headless SCRIPT | --screenshot PNG]\n"
                 "image [--home DIR] FILE [--headless SCRIPT | --screenshot PNG]\n"
                 "backup [--home DIR] [--source DIR] [--dest DIR] [--cloud]\n"
                 "       [--headless SCRIPT [--zip] | --screenshot PNG]",
     .description =
         "orgedit opens the organisation data form: with --folder it loads that folder's\n"
         "ORGFILE and Save writes it and closes; without, File > Open chooses an ORGFILE. It\n"
         "prints the message boxes shown (headless) and \"saved\" or \"not saved\".\n"
         "\n"
         "browse opens the file dialog starting in --folder (else the home folder's DATA/),\n"
         "titled --title, with the --filter pairs of description and pattern; it prints\n"
         "\"0001\" and the path chosen (exit 0) or \"0000\" (exit 1).\n"
         "\n"
         "image opens the image viewer on the picture FILE (BMP, JPEG, PNG, GIF or QIM);\n"
         "Browse chooses another, Resize fits the window to it. It prints the message boxes\n"
         "shown (headless) and \"shown: \" with the picture shown last (exit 0), or \"not\n"
         "shown\" (exit 1).\n"
         "\n"
         "backup opens the folder backup form. --source gives the folder to back up (in\n"
         "QNBK-PARAMETERS, with the marker): the backup starts at once. --dest gives the\n"
         "destination, --cloud hands the zip file to the cloud tool (a zip backup), --zip\n"
         "checks the zip option first. It prints the message boxes shown (headless) and\n"
         "the result: \"00 backed up\" (exit 0), \"01 not backed up\" or \"02 the backup\n"
         "failed\" (exit 1).\n"
         "\n"
         "The form shows on the desktop when there is a display. --headless SCRIPT runs it in\n"
         "the headless runtime, doing the script's steps (type CONTROL \"text\", choose\n"
         "CONTROL \"item\", click CONTROL, answer Yes, folder PATH, file PATH or cancel; see\n"
         "the README). --screenshot PNG renders the form offscreen once it is shown, writes\n"
         "the picture and closes the form. A script that cannot be read exits with 3.\n",
     .options = {kHomeOption,
                 {.name = "--folder",
                  .value = "DIR",
                  .help = "orgedit: the caller's folder; browse: the folder to start in"},
                 {.name = "--title", .value = "T", .help = "browse: the dialog's title"},
                 {.name = "--filter",
                  .value = "F",
                  .help = "browse: description and pattern pairs separated by \"|\""},
                 {.name = "--source", .value = "DIR", .help = "backup: the folder to back up"},
                 {.name = "--dest", .value = "DIR", .help = "backup: the destination folder"},
                 {.name = "--zip", .help = "backup: a zip file instead of copies"},
                 {.name = "--cloud", .help = "backup: also to the cloud tool (with --source)"},
                 {.name = "--headless",
                  .value = "SCRIPT",
                  .help = "the headless runtime, doing the steps of SCRIPT"},
                 {.name = "--screenshot",
                  .value = "PNG",
                  .help = "render offscreen, write the picture, close"}},
     .operands = {1, 2},
     .expects = "one form: orgedit, browse, image or backup (image with its FILE)",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
