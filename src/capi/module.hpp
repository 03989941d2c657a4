// The module's life: what happens when the library is loaded into a process and unloaded.
// It joins the frame (the module's handle, the language runtime) and the form runtime
// (which counts loads and decides when the language runtime may be shut down).
#pragma once

namespace quarn::capi {

// Load (process attach): keep the handle, start the language runtime, count one load with
// the form runtime. Unload (process detach): clear the handle, count one unload, and shut
// the language runtime down when the form runtime says it may. Both answer 0 (success).
// They run from the library's constructor and destructor; tests call them directly.
int module_attach();
int module_detach();

}  // namespace quarn::capi
