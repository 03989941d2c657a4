#include "frame/module.hpp"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

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
  if (dladdr(reinterpret_cast<void*>(&module_loaded), &info) != 0 && info.dli_fbase != nullptr) {
    return info.dli_fbase;
  }
  return reinterpret_cast<void*>(&module_loaded);
}

void start_runtime() {
  runtime_running.store(true);
}

}  // namespace

void shut_language_runtime_down() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(shutdown_mutex());
    work.swap(shutdown_work());
  }
  for (auto it = work.rbegin(); it != work.rend(); ++it)
    (*it)();
  runtime_running.store(false);
}

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

void module_loaded() {
  handle.store(own_base_address());
  start_runtime();
}

void module_unloaded() {
  handle.store(nullptr);
}

}  // namespace quarn::frame
