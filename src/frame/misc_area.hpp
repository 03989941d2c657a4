// The process's X-MISC-EXTERNAL-WS area and the values programs read from it.
#pragma once

#include <string>

#include "quarn/quarn-m.h"

namespace quarn::frame {

// The area itself (null only if it cannot be had; a run-time error was then reported).
QuarnXMiscExternalWs* misc_area();

// The suite's home folder: XM-HOME-FOLDER up to its zero byte (or the whole field), without
// trailing spaces. Empty when the application has not filled it.
std::string home_folder(const QuarnXMiscExternalWs& area);

}  // namespace quarn::frame
