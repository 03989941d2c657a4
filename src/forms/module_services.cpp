#include "forms/module_services.hpp"

#include <array>
#include <atomic>
#include <cstring>
#include <string>
#include <string_view>

#include "forms/runtime.hpp"
#include "frame/program.hpp"
#include "quarn/quarn-m.h"

namespace quarn::forms {

namespace {

// ---- the class objects of the forms ----

struct FormClass {
  QuarnFormClass object;  // first, so that the object's address is the class's
  std::int32_t modal_style = 0;
  bool active = true;
  bool enabled = true;
  bool running = false;
};

FormClass* self(QuarnFormClass* object) {
  return reinterpret_cast<FormClass*>(object);
}

std::int32_t open(QuarnFormClass* object, void* owner) {
  if (object == nullptr) return kPointerError;
  FormClass& c = *self(object);
  if (!c.active) return kFalse;
  QuarnFormOwner window{owner};
  std::int32_t style = c.modal_style;
  void* params[] = {&window, &style};
  c.running = true;
  const bool called = frame::call_by_name(c.object.program, params);
  c.running = false;
  return called ? kOk : kClassNotAvailable;
}

std::int32_t do_modal(QuarnFormClass* object) {
  return open(object, nullptr);
}
std::int32_t do_modal2(QuarnFormClass* object, void* owner) {
  return open(object, owner);
}
std::int32_t activate(QuarnFormClass* object) {
  if (object == nullptr) return kPointerError;
  self(object)->active = true;
  return kOk;
}
std::int32_t deactivate(QuarnFormClass* object) {
  if (object == nullptr) return kPointerError;
  FormClass& c = *self(object);
  c.active = false;
  if (c.running) {
    if (const auto form = runtime().active_form()) form->end();
  }
  return kOk;
}
std::int32_t modal_style(QuarnFormClass* object, std::int32_t* style) {
  if (object == nullptr || style == nullptr) return kPointerError;
  FormClass& c = *self(object);
  if (*style < 0)
    *style = c.modal_style;
  else
    c.modal_style = *style;
  return kOk;
}
std::int32_t enabled(QuarnFormClass* object, std::int32_t* value) {
  if (object == nullptr || value == nullptr) return kPointerError;
  FormClass& c = *self(object);
  if (*value < 0) {
    *value = c.enabled ? 1 : 0;
    return kOk;
  }
  c.enabled = *value != 0;
  if (c.running) {
    if (const auto form = runtime().active_form())
      form->set_property(property::kEnabled, Value(std::int64_t{c.enabled ? 1 : 0}));
  }
  return kOk;
}

constexpr std::array<const char*, 4> kFormPrograms{"ORGEDIT", "FLBROWSE", "QNBK-FOLDER", "QNIMAGE"};

FormClass* form_classes() {
  static auto* classes = [] {
    auto* all = new std::array<FormClass, kFormPrograms.size()>;
    for (std::size_t i = 0; i < kFormPrograms.size(); ++i) {
      (*all)[i].object = {kFormPrograms[i], &activate,    &deactivate, &do_modal,
                          &do_modal2,       &modal_style, &enabled};
    }
    return all;
  }();
  return classes->data();
}

// The class of a program name; null when the name is none of the forms or the program is
// not in this library.
FormClass* find_class(std::string_view name) {
  for (std::size_t i = 0; i < kFormPrograms.size(); ++i) {
    if (name == kFormPrograms[i] && frame::find_program(name) != nullptr) return &form_classes()[i];
  }
  return nullptr;
}

std::int32_t hand_out(FormClass* found, void** object) {
  if (object == nullptr) return kPointerError;
  *object = found != nullptr ? &found->object : nullptr;
  return found != nullptr ? kOk : kClassNotAvailable;
}

// The built-in runtime hands out the class objects of the forms; it counts the module's
// loads and lets the language runtime go when the last load is undone.
class BuiltinServices final : public ModuleServices {
 public:
  std::int32_t get_class_object(void*, void**, const void* class_id, const void*,
                                void** object) override {
    // A class id is the program name padded to 16 bytes with zero bytes.
    FormClass* found = nullptr;
    if (class_id != nullptr) {
      char id[17] = {};
      std::memcpy(id, class_id, 16);
      found = find_class(id);
    }
    return hand_out(found, object);
  }
  std::int32_t can_unload_now(void*, void**) override { return kOk; }
  std::int32_t register_server(void*, void**) override { return kOk; }
  std::int32_t unregister_server(void*, void**) override { return kOk; }
  std::int32_t get_class_object_by_name(void*, void**, const std::uint16_t* class_name, const void*,
                                        void** object) override {
    std::string name;
    for (const std::uint16_t* c = class_name; c != nullptr && *c != 0 && name.size() < 32; ++c)
      name += *c < 0x80 ? static_cast<char>(*c) : '?';
    return hand_out(class_name != nullptr ? find_class(name) : nullptr, object);
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
