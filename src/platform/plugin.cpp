#include "platform/plugin.hpp"

#include <dlfcn.h>

namespace quarn::platform::plugin {

void* load_beside_library(std::string_view file_name, std::string_view sub_folder,
                          std::string& error) {
  Dl_info info{};
  std::string folder;
  if (::dladdr(reinterpret_cast<void*>(&load_beside_library), &info) != 0 &&
      info.dli_fname != nullptr) {
    const std::string self = info.dli_fname;
    const std::size_t slash = self.find_last_of('/');
    if (slash != std::string::npos) folder = self.substr(0, slash + 1);
  }
  const std::string name(file_name);
  const std::string beside = folder.empty() ? std::string() : folder + name;
  const std::string below =
      folder.empty() ? std::string() : folder + std::string(sub_folder) + "/" + name;
  for (const std::string& candidate : {beside, below, name}) {
    if (candidate.empty()) continue;
    if (void* library = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
    const char* reason = ::dlerror();
    error = reason != nullptr ? reason : "cannot be loaded";
  }
  return nullptr;
}

void* symbol(void* library, const char* name) {
  return library == nullptr ? nullptr : ::dlsym(library, name);
}

}  // namespace quarn::platform::plugin
