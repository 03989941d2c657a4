#include "frame/module.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capi/module.hpp"
#include "forms/module_services.hpp"
#include "quarn/quarn-m.h"

namespace quarn {
namespace {

// Module services that answer with distinctive values and note what they were given.
class RecordingServices final : public forms::ModuleServices {
 public:
  std::int32_t get_class_object(void* module, void** module_object, const void* class_id,
                                const void* interface_id, void** object) override {
    note("get", module, module_object);
    class_id_ = class_id;
    interface_id_ = interface_id;
    object_ = object;
    return 0x11;
  }
  std::int32_t can_unload_now(void* module, void** module_object) override {
    note("can-unload", module, module_object);
    return static_cast<std::int32_t>(0x80000022);
  }
  std::int32_t register_server(void* module, void** module_object) override {
    note("register", module, module_object);
    return 0x33;
  }
  std::int32_t unregister_server(void* module, void** module_object) override {
    note("unregister", module, module_object);
    return -0x44;
  }
  std::int32_t get_class_object_by_name(void* module, void** module_object,
                                        const std::uint16_t* class_name, const void* interface_id,
                                        void** object) override {
    note("get-by-name", module, module_object);
    class_name_ = class_name;
    interface_id_ = interface_id;
    object_ = object;
    return 0x55;
  }
  void count_load() override { calls_.push_back("load"); }
  void count_unload() override { calls_.push_back("unload"); }
  bool may_clear_runtime() override {
    calls_.push_back("may-clear");
    return may_clear_;
  }

  void note(const char* what, void* module, void** module_object) {
    calls_.push_back(what);
    module_ = module;
    module_object_ = module_object;
  }

  bool may_clear_ = false;
  std::vector<std::string> calls_;
  void* module_ = nullptr;
  void** module_object_ = nullptr;
  const void* class_id_ = nullptr;
  const std::uint16_t* class_name_ = nullptr;
  const void* interface_id_ = nullptr;
  void** object_ = nullptr;
};

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = forms::set_module_services(&services_); }
  void TearDown() override { forms::set_module_services(previous_); }
  RecordingServices services_;
  forms::ModuleServices* previous_ = nullptr;
};

TEST_F(ModuleTest, EntryPointsReturnTheRuntimesAnswerUnchanged) {
  const int class_id = 1, interface_id = 2;
  const std::uint16_t name[] = {'O', 'r', 'g', 0};
  void* object = nullptr;

  EXPECT_EQ(DllGetClassObject(&class_id, &interface_id, &object), 0x11);
  EXPECT_EQ(services_.class_id_, &class_id);
  EXPECT_EQ(services_.interface_id_, &interface_id);
  EXPECT_EQ(services_.object_, &object);
  EXPECT_EQ(DllCanUnloadNow(), static_cast<std::int32_t>(0x80000022));
  EXPECT_EQ(DllRegisterServer(), 0x33);
  EXPECT_EQ(DllUnregisterServer(), -0x44);
  EXPECT_EQ(CfDllGetClassObjectByName(name, &interface_id, &object), 0x55);
  EXPECT_EQ(services_.class_name_, name);

  EXPECT_EQ(services_.calls_, (std::vector<std::string>{"get", "can-unload", "register",
                                                        "unregister", "get-by-name"}));
  // Every service gets the module's handle and the one module-object variable.
  EXPECT_EQ(services_.module_, frame::module_handle());
  EXPECT_NE(services_.module_, nullptr);
  EXPECT_EQ(services_.module_object_, frame::module_object());
  EXPECT_EQ(*frame::module_object(), nullptr) << "the library never fills it";
}

TEST_F(ModuleTest, UnloadKeepsTheRuntimeWhileTheFormRuntimeStillNeedsIt) {
  int shutdowns = 0;
  frame::on_runtime_shutdown([&] { ++shutdowns; });
  ASSERT_TRUE(frame::language_runtime_running());

  services_.may_clear_ = false;
  EXPECT_EQ(capi::module_detach(), 0);
  EXPECT_EQ(frame::module_handle(), nullptr);
  EXPECT_TRUE(frame::language_runtime_running());
  EXPECT_EQ(shutdowns, 0);

  EXPECT_EQ(capi::module_attach(), 0);
  EXPECT_NE(frame::module_handle(), nullptr);
  services_.may_clear_ = true;
  EXPECT_EQ(capi::module_detach(), 0);
  EXPECT_FALSE(frame::language_runtime_running());
  EXPECT_EQ(shutdowns, 1);
  EXPECT_EQ(services_.calls_,
            (std::vector<std::string>{"unload", "may-clear", "load", "unload", "may-clear"}));
  capi::module_attach();
  EXPECT_TRUE(frame::language_runtime_running());
}

TEST(BuiltinModuleServices, ServeNoClassYet) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(DllGetClassObject(nullptr, nullptr, &object), forms::kClassNotAvailable);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(DllGetClassObject(nullptr, nullptr, nullptr), forms::kPointerError);
  EXPECT_EQ(DllCanUnloadNow(), forms::kOk);
}

}  // namespace
}  // namespace quarn
