// The module's life: what happens when the library is loaded into a process and unloaded,
// and the state of the language runtime that the programs run on.
#pragma once

#include <functional>

namespace quarn::frame {

// The handle the module was loaded under (its base address), null while unloaded.
void* module_handle();
// The variable the form runtime keeps its module object in; the library never reads it.
void** module_object();

// The frame's part of the module's load and unload. The load and unload themselves
// (capi/module.hpp) also tell the form runtime, which decides when the language runtime
// may be shut down: the frame does not know the form runtime.
// Load: keep the module's base address as its handle and start the language runtime.
void module_loaded();
// Unload: clear the handle.
void module_unloaded();
// Runs the shutdown work (newest first) and marks the language runtime stopped.
void shut_language_runtime_down();

bool language_runtime_running();
// Work to do when the language runtime shuts down (closing files kept open for the
// process), in the reverse order of registration.
void on_runtime_shutdown(std::function<void()> work);

}  // namespace quarn::frame
