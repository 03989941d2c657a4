// The module's life: what happens when the library is loaded into a process and unloaded,
// and the state of the language runtime that the programs run on.
#pragma once

#include <functional>

namespace quarn::frame {

// The handle the module was loaded under (its base address), null while unloaded.
void* module_handle();
// The variable the form runtime keeps its module object in; the library never reads it.
void** module_object();

// Load (process attach): keep the handle, start the language runtime, count one load with
// the form runtime. Unload (process detach): clear the handle, count one unload, and shut
// the language runtime down when the form runtime says it may. Both answer 0 (success).
// They run from the library's constructor and destructor; tests call them directly.
int module_attach();
int module_detach();

bool language_runtime_running();
// Work to do when the language runtime shuts down (closing files kept open for the
// process), in the reverse order of registration.
void on_runtime_shutdown(std::function<void()> work);

}  // namespace quarn::frame
