// Loading a shared library that lives beside this one (the desktop form runtime), only
// when it is needed, so that processes that never open a window never load it.
#pragma once

#include <string>
#include <string_view>

namespace quarn::platform::plugin {

// Loads `file_name` from the folder of the library this code is in, then from its
// sub-folder `sub_folder` (where an installed tree keeps its plugins), then by the system's
// search; null when none works, with the last reason in `error`.
void* load_beside_library(std::string_view file_name, std::string_view sub_folder,
                          std::string& error);
// The address of an exported symbol of a loaded library, or null.
void* symbol(void* library, const char* name);

}  // namespace quarn::platform::plugin
