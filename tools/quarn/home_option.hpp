// The --home DIR option of the commands whose programs read the suite's home folder
// (X-MISC-EXTERNAL-WS).
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {

inline std::optional<std::string> check_home(std::string_view folder) {
  if (folder.empty()) return "needs a folder";
  if (folder.size() + 1 > sizeof QuarnXMiscExternalWs{}.xm_home_folder)
    return "takes a folder of at most 66 characters";
  return std::nullopt;
}

inline constexpr Option kHomeOption{
    .name = "--home",
    .value = "DIR",
    .help = "the suite's home folder (without it: the current folder)",
    .check = check_home};

// Sets the home folder of --home (with a final separator) and its length; a line without
// --home leaves the area as it is (no home folder: the current one).
inline void apply_home(const Parsed& line) {
  if (!line.has("--home")) return;
  std::string folder(line.value("--home"));
  if (!folder.ends_with('/') && !folder.ends_with('\\')) folder += '/';
  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  if (area == nullptr) return;
  std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
  std::memcpy(area->xm_home_folder, folder.data(), folder.size());
  area->xm_folder_length[0] = static_cast<char>(folder.size() >> 8);
  area->xm_folder_length[1] = static_cast<char>(folder.size() & 0xFF);
}

// The home folder for messages: DIR of --home, or "the current folder".
inline std::string home_for_messages(const Parsed& line) {
  return line.has("--home") ? quoted(line.value("--home")) : std::string("the current folder");
}

}  // namespace quarn::cli
