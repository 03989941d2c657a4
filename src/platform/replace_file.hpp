// Replacing a file whole or not at all: the new contents go to a temporary file beside it,
// which is flushed to the disk and then renamed over the old name. A crash, a full disk or
// any failure on the way leaves the old file as it was (and no temporary file behind).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/files.hpp"

namespace quarn::platform::files {

// Writes `lines`, each followed by a line end, as the new contents of `path`.
FileStatus replace_lines(std::string_view path, std::span<const std::string> lines);

// Whether `path` names a file (not following a symbolic link at the end).
bool is_file(std::string_view path);

}  // namespace quarn::platform::files
