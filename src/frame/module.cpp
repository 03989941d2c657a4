#include "frame/module.hpp"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "forms/module_services.hpp"
#include "quarn/quarn-m.h"

namespace quarn::frame {

namespace {

std::atomic<void*> handle{nullptr};
void* form_module_object = nullptr;
std::atomic<bool> runtime_running{false};

std::mutex& shutdown_mutex() {
  static auto* m = new std::mutex;
  return *m;
}
std::vector<std::function<void()>>& shutdown_work() {
  static auto* work = new std::vector<std::function<void()>>;
  return *work;
}

void* own_base_address() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&module_attach), &info) != 0 && info.dli_fbase != nullptr) {
    return info.dli_fbase;
  }
  return reinterpret_cast<void*>(&module_attach);
}

void start_runtime() {
  runtime_running.store(true);
}

void shut_runtime_down() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(shutdown_mutex());
    work.swap(shutdown_work());
  }
  for (auto it = work.rbegin(); it != work.rend(); ++it)
    (*it)();
  runtime_running.store(false);
}

__attribute__((constructor)) void on_load() {
  module_attach();
}
__attribute__((destructor)) void on_unload() {
  module_detach();
}

}  // namespace

void* module_handle() {
  return handle.load();
}
void** module_object() {
  return &form_module_object;
}
bool language_runtime_running() {
  return runtime_running.load();
}

void on_runtime_shutdown(std::function<void()> work) {
  std::lock_guard lock(shutdown_mutex());
  shutdown_work().push_back(std::move(work));
}

int module_attach() {
  handle.store(own_base_address());
  start_runtime();
  forms::module_services().count_load();
  return 0;
}

int module_detach() {
  handle.store(nullptr);
  forms::ModuleServices& services = forms::module_services();
  services.count_unload();
  if (services.may_clear_runtime()) shut_runtime_down();
  return 0;
}

}  // namespace quarn::frame

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
