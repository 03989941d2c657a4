// HTMLHELP: opens a help page through the suite's help script, without waiting.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/process.hpp"
#include "platform/sysout.hpp"
#include "system/start_request.hpp"

namespace quarn {
namespace {

constexpr std::string_view kNotStarted = "Unable to open helps, contact support.";

struct State {
  system::StartRequest start;  // rebuilt at every call
};
State state;

// The text of a field up to its first two consecutive spaces (all of it when there are none).
std::string_view up_to_double_space(frame::ConstField field) {
  const std::string_view text = frame::text_of(field);
  return text.substr(0, text.find("  "));
}

std::int32_t htmlhelp(QuarnHelpRequest* passed) {
  const auto& request = *passed;

  // The script receives a bare file name (after the last separator of either kind).
  std::string_view help_file = up_to_double_space(request.hr_help_file);
  if (const std::size_t separator = help_file.find_last_of("\\/");
      separator != std::string_view::npos)
    help_file.remove_prefix(separator + 1);

  std::string page_part;
  if (frame::trimmed(request.hr_topic).empty()) {
    page_part = frame::text_of(request.hr_page);
  } else {
    page_part = up_to_double_space(request.hr_page);
    page_part += '#';
    page_part += frame::text_of(request.hr_topic);
  }

  // The home folder's first XM-FOLDER-LENGTH characters, never more than the field holds.
  std::string_view folder;
  if (const QuarnXMiscExternalWs* area = frame::misc_area()) {
    const int length = frame::read_be16(area->xm_folder_length);
    const auto count = static_cast<std::size_t>(
        std::clamp(length, 0, static_cast<int>(sizeof area->xm_home_folder)));
    folder = std::string_view(area->xm_home_folder, count);
  }

  // The script's path is one argument, whatever spaces or quotes the home folder holds.
  std::string line = "wscript ";
  line += platform::process::quoted_argument(std::string(folder) + "\\openhelps.vbs");
  line += ' ';
  line += help_file;
  line += ' ';
  line += page_part;
  if (state.start.run(line, 1, 0) == 0) platform::sysout(kNotStarted);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((HTMLHELP), quarn::htmlhelp, 1, (request, QuarnHelpRequest));
