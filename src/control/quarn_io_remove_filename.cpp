// QUARN-IO-REMOVE-FILENAME: takes a file out of the caller's recent-file list.
#include <algorithm>
#include <cstring>

#include "control/form_program.hpp"
#include "frame/codec.hpp"

namespace quarn::control {

void quarn_io_remove_filename(RecentFileList& list, const char (&path)[100], char (&status)[2]) {
  std::memcpy(status, "00", 2);
  // An all-spaces path names no file: empty slots are not "removed" again.
  if (std::all_of(std::begin(path), std::end(path), [](char c) { return c == ' '; })) return;
  const std::size_t count = recent_file_count(list);
  RecentFileEntry* const begin = list.entries;
  RecentFileEntry* const end = list.entries + count;
  RecentFileEntry* found = std::find_if(begin, end, [&](const RecentFileEntry& e) {
    return std::memcmp(e.path, path, sizeof path) == 0;
  });
  if (found == end || frame::read_unsigned(found->use_count).value_or(1) != 0) return;

  frame::clear(found->path);
  frame::clear(found->mark);
  const char removed = found->rank[0];
  for (RecentFileEntry* e = begin; e != end; ++e) {
    if (e == found || e->rank[0] <= removed || e->rank[0] < '0' || e->rank[0] > '9') continue;
    e->rank[0] = static_cast<char>(std::max<int>(e->rank[0] - 1, '1'));
  }
}

}  // namespace quarn::control
