// QUARN-CONTROLS-SAVE-FILE-LIST: the recent-file list as user-wide settings, one per entry.
#include <cstring>

#include "control/form_program.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"

namespace quarn::control {

void quarn_controls_save_file_list(FormProgram& program, const RecentFileList& list,
                                   const char (&prefix)[9]) {
  const QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc == nullptr || keeps_callers_order(*misc)) return;
  quarn_io_filename_sort(program, list);
  const std::size_t count = recent_file_count(list);
  QuarnControlRequest& request = program.request;
  for (std::size_t n = 0; n < count; ++n) {
    frame::put_text(request.ctl_method, "SaveUserGeneralControl");
    frame::clear(request.ctl_section);
    std::memcpy(request.ctl_section, prefix, sizeof prefix);
    frame::write_unsigned(frame::Field(request.ctl_section + sizeof prefix, 2),
                          static_cast<std::int64_t>(n + 1));
    std::memcpy(request.ctl_value, program.recent_file_menu[n].path, sizeof request.ctl_value);
    quarn_controls(program);
  }
}

}  // namespace quarn::control
