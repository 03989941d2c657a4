// The module's load and unload, and the module entry points of the form component.
#include "capi/module.hpp"

#include "forms/module_services.hpp"
#include "frame/module.hpp"
#include "quarn/quarn-m.h"

namespace quarn::capi {

namespace {

__attribute__((constructor)) void on_load() {
  module_attach();
}
__attribute__((destructor)) void on_unload() {
  module_detach();
}

}  // namespace

int module_attach() {
  frame::module_loaded();
  forms::module_services().count_load();
  return 0;
}

int module_detach() {
  frame::module_unloaded();
  forms::ModuleServices& services = forms::module_services();
  services.count_unload();
  if (services.may_clear_runtime()) frame::shut_language_runtime_down();
  return 0;
}

}  // namespace quarn::capi

using quarn::forms::module_services;
using quarn::frame::module_handle;
using quarn::frame::module_object;

extern "C" {

QUARN_API int32_t DllGetClassObject(const void* class_id, const void* interface_id, void** object) {
  return module_services().get_class_object(module_handle(), module_object(), class_id,
                                            interface_id, object);
}

QUARN_API int32_t DllCanUnloadNow(void) {
  return module_services().can_unload_now(module_handle(), module_object());
}

QUARN_API int32_t DllRegisterServer(void) {
  return module_services().register_server(module_handle(), module_object());
}

QUARN_API int32_t DllUnregisterServer(void) {
  return module_services().unregister_server(module_handle(), module_object());
}

QUARN_API int32_t CfDllGetClassObjectByName(const uint16_t* class_name, const void* interface_id,
                                            void** object) {
  return module_services().get_class_object_by_name(module_handle(), module_object(), class_name,
                                                    interface_id, object);
}

}  // extern "C"
