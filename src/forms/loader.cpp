#include "forms/loader.hpp"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "forms/headless_runtime.hpp"
#include "platform/plugin.hpp"

namespace quarn::forms {
namespace {

bool set_in_environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool wants_desktop() {
  if (const char* choice = std::getenv("QUARN_FORMS"); choice != nullptr && *choice != '\0') {
    const std::string_view c(choice);
    if (c == "qt") return true;
    if (c != "headless")
      std::fprintf(stderr, "QUARN-M: QUARN_FORMS=%s is neither headless nor qt; headless\n",
                   choice);
    return false;
  }
  if (set_in_environment("QUARN_FORMS_SCRIPT")) return false;
  return set_in_environment("DISPLAY") || set_in_environment("WAYLAND_DISPLAY") ||
         set_in_environment("QT_QPA_PLATFORM");
}

// Loads the desktop runtime; null (and a line on standard error) when it cannot be had.
Runtime* load_desktop() {
  std::string error;
  void* library = platform::plugin::load_beside_library(kQtLibrary, "quarn-m", error);
  if (library == nullptr) {
    std::fprintf(stderr, "QUARN-M: the desktop form runtime %s cannot be loaded (%s); headless\n",
                 std::string(kQtLibrary).c_str(), error.c_str());
    return nullptr;
  }
  using Entry = Runtime* (*)();
  auto entry = reinterpret_cast<Entry>(platform::plugin::symbol(library, kQtEntry));
  Runtime* runtime = entry != nullptr ? entry() : nullptr;
  if (runtime == nullptr)
    std::fprintf(stderr, "QUARN-M: %s gives no runtime; headless\n",
                 std::string(kQtLibrary).c_str());
  return runtime;
}

ShownHook hook = nullptr;
void* hook_context = nullptr;

}  // namespace

void set_shown_hook(ShownHook shown, void* context) {
  hook = shown;
  hook_context = context;
  runtime().set_shown_hook(shown, context);
}

Runtime& form_runtime() {
  static std::once_flag chosen;
  std::call_once(chosen, [] {
    // An installed runtime (a test's, an application's) is left in force.
    Runtime* current = set_runtime(nullptr);
    set_runtime(current);
    if (current != nullptr || !wants_desktop()) return;
    if (Runtime* desktop = load_desktop()) {
      desktop->set_shown_hook(hook, hook_context);
      set_runtime(desktop);
    }
  });
  return runtime();
}

}  // namespace quarn::forms
