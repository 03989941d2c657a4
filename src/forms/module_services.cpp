#include "forms/module_services.hpp"

#include <atomic>

namespace quarn::forms {

namespace {

// The built-in runtime serves no class objects yet; it counts the module's loads and lets
// the language runtime go when the last load is undone.
class BuiltinServices final : public ModuleServices {
 public:
  std::int32_t get_class_object(void*, void**, const void*, const void*, void** object) override {
    if (object == nullptr) return kPointerError;
    *object = nullptr;
    return kClassNotAvailable;
  }
  std::int32_t can_unload_now(void*, void**) override { return kOk; }
  std::int32_t register_server(void*, void**) override { return kOk; }
  std::int32_t unregister_server(void*, void**) override { return kOk; }
  std::int32_t get_class_object_by_name(void*, void**, const std::uint16_t*, const void*,
                                        void** object) override {
    if (object == nullptr) return kPointerError;
    *object = nullptr;
    return kClassNotAvailable;
  }
  void count_load() override { ++loads_; }
  void count_unload() override { --loads_; }
  bool may_clear_runtime() override { return loads_.load() <= 0; }

 private:
  std::atomic<int> loads_{0};
};

// Never destroyed: the module's unload runs after the library's static destructors.
BuiltinServices& builtin() {
  static auto* services = new BuiltinServices;
  return *services;
}

std::atomic<ModuleServices*> installed{nullptr};

}  // namespace

ModuleServices& module_services() {
  ModuleServices* services = installed.load();
  return services != nullptr ? *services : builtin();
}

ModuleServices* set_module_services(ModuleServices* services) {
  ModuleServices* previous = installed.exchange(services);
  return previous != nullptr ? previous : &builtin();
}

}  // namespace quarn::forms
