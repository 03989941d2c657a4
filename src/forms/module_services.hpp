// The form runtime's services for the module that holds the forms: class objects, the
// module's registration, and the count of loads that decides when the language runtime
// may be shut down. The library's module entry points forward here unchanged.
#pragma once

#include <cstdint>

namespace quarn::forms {

// Result values of the services (HRESULT numbers).
inline constexpr std::int32_t kOk = 0;                                                // S_OK
inline constexpr std::int32_t kFalse = 1;                                             // S_FALSE
inline constexpr std::int32_t kPointerError = static_cast<std::int32_t>(0x80004003);  // E_POINTER
inline constexpr std::int32_t kClassNotAvailable =
    static_cast<std::int32_t>(0x80040111);  // CLASS_E_CLASSNOTAVAILABLE

class ModuleServices {
 public:
  virtual ~ModuleServices() = default;
  virtual std::int32_t get_class_object(void* module, void** module_object, const void* class_id,
                                        const void* interface_id, void** object) = 0;
  virtual std::int32_t can_unload_now(void* module, void** module_object) = 0;
  virtual std::int32_t register_server(void* module, void** module_object) = 0;
  virtual std::int32_t unregister_server(void* module, void** module_object) = 0;
  virtual std::int32_t get_class_object_by_name(void* module, void** module_object,
                                                const std::uint16_t* class_name,
                                                const void* interface_id, void** object) = 0;
  virtual void count_load() = 0;
  virtual void count_unload() = 0;
  // Whether no loaded module needs the language runtime any more.
  virtual bool may_clear_runtime() = 0;
};

// The services in force: the built-in runtime's unless others were installed.
ModuleServices& module_services();
// Installs other services (null restores the built-in ones); returns the previous ones.
ModuleServices* set_module_services(ModuleServices* services);

}  // namespace quarn::forms
