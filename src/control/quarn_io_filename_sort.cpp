// QUARN-IO-FILENAME-SORT: the File menu's recent files from the caller's list.
#include <algorithm>
#include <cstring>

#include "control/form_program.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"

namespace quarn::control {
namespace {

using frame::ConstField;

// A rank that is not a digit sorts as a new entry.
char rank_of(char rank) {
  return rank >= '0' && rank <= '9' ? rank : '9';
}

void put_use_count(RecentFileMenuEntry& entry, ConstField callers) {
  frame::write_signed(entry.use_count, frame::read_unsigned(callers).value_or(0));
}

}  // namespace

std::size_t recent_file_count(const RecentFileList& list) {
  // A count beyond the table (or not a number) is held to what the table can take.
  const std::int64_t count = frame::read_unsigned(list.count).value_or(0);
  return static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, kRecentFiles));
}

bool keeps_callers_order(const QuarnXMiscExternalWs& misc) {
  const auto level = frame::read_signed(misc.xm_level);
  return misc.xm_preferences[2] == 'Y' && level.has_value() && *level < 6;
}

void quarn_io_filename_sort(FormProgram& program, const RecentFileList& list) {
  auto& menu = program.recent_file_menu;
  const std::size_t count = recent_file_count(list);
  std::memset(menu.data(), ' ', sizeof menu);
  for (std::size_t n = 0; n < count; ++n) {
    frame::write_signed(menu[n].use_count, 0);
    menu[n].rank[0] = '9';
  }

  const QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc != nullptr && keeps_callers_order(*misc)) {
    for (std::size_t n = 0; n < count; ++n) {
      const RecentFileEntry& from = list.entries[n];
      std::memcpy(menu[n].path, from.path, sizeof from.path);
      put_use_count(menu[n], from.use_count);
      menu[n].rank[0] = from.rank[0];
    }
  } else {
    // Merge: each path once, with the better rank; empty entries drop out.
    for (std::size_t i = 0; i < count; ++i) {
      const RecentFileEntry& from = list.entries[i];
      if (frame::is_blank(from.path)) continue;
      RecentFileMenuEntry* target = nullptr;
      for (std::size_t n = 0; n < count && target == nullptr; ++n) {
        if (std::memcmp(menu[n].path, from.path, sizeof from.path) == 0) target = &menu[n];
      }
      if (target != nullptr) {
        target->rank[0] = std::min(rank_of(target->rank[0]), rank_of(from.rank[0]));
        put_use_count(*target, from.use_count);
        continue;
      }
      for (std::size_t n = 0; n < count && target == nullptr; ++n) {
        if (frame::is_blank(menu[n].path)) target = &menu[n];
      }
      std::memcpy(target->path, from.path, sizeof from.path);
      put_use_count(*target, from.use_count);
      target->rank[0] = rank_of(from.rank[0]);
    }
    // Lowest rank first; entries of equal rank keep their order.
    std::stable_sort(menu.begin(), menu.begin() + static_cast<std::ptrdiff_t>(count),
                     [](const RecentFileMenuEntry& a, const RecentFileMenuEntry& b) {
                       return rank_of(a.rank[0]) < rank_of(b.rank[0]);
                     });
  }
  for (std::size_t n = 0; n < count; ++n) {
    menu[n].accelerator[0] = '&';
    menu[n].number[0] = static_cast<char>('1' + n);
  }
}

}  // namespace quarn::control
