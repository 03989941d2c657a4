// The --home DIR option of the commands whose programs read the suite's home folder
// (X-MISC-EXTERNAL-WS): takes it out of the arguments and fills the area.
#pragma once

#include <cstring>
#include <string_view>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {

// Removes "--home DIR" from `args` and sets the home folder (with a final separator) and
// its length. False, with `error` set, when the option is incomplete or DIR does not fit.
inline bool take_home_option(Args& args, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--home") continue;
    if (i + 1 == args.size()) {
      error = "--home needs a folder";
      return false;
    }
    std::string folder(args[i + 1]);
    if (!folder.ends_with('/') && !folder.ends_with('\\')) folder += '/';
    auto* area = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    if (area == nullptr || folder.size() > sizeof area->xm_home_folder) {
      error = "the home folder has more than 67 characters";
      return false;
    }
    std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
    std::memcpy(area->xm_home_folder, folder.data(), folder.size());
    area->xm_folder_length[0] = static_cast<char>(folder.size() >> 8);
    area->xm_folder_length[1] = static_cast<char>(folder.size() & 0xFF);
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

}  // namespace quarn::cli
