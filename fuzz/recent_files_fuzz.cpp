// The recent-file list on any bytes: the caller's list, a path to remove, the preference
// and level that choose the caller's order.
#include <cstdlib>
#include <cstring>

#include "control/form_program.hpp"
#include "frame/misc_area.hpp"
#include "guarded_records.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quarn::control::RecentFileList;
  GuardedRecords records({sizeof(RecentFileList), 100, 2, 8, 1}, data, size);
  QuarnXMiscExternalWs* misc = quarn::frame::misc_area();
  std::memcpy(misc->xm_preferences, records[3], 8);
  std::memcpy(misc->xm_level, records[4], 1);

  auto& list = *static_cast<RecentFileList*>(records[0]);
  quarn::control::FormProgram program;
  quarn::control::quarn_io_filename_sort(program, list);
  // Every numbered menu entry shows its number; no path appears twice after a merge.
  const std::size_t count = quarn::control::recent_file_count(list);
  for (std::size_t n = 0; n < count; ++n) {
    const auto& entry = program.recent_file_menu[n];
    if (entry.accelerator[0] != '&' || entry.number[0] != static_cast<char>('1' + n)) std::abort();
  }
  quarn::control::quarn_io_remove_filename(list, *static_cast<const char(*)[100]>(records[1]),
                                           *static_cast<char(*)[2]>(records[2]));
  records.check();
  if (std::memcmp(records[2], "00", 2) != 0) std::abort();
  return 0;
}
