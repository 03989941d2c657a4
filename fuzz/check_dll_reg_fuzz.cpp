#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

// The fuzzer's bytes are the registered-keys file of the home folder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  fake::file_contents.assign(reinterpret_cast<const char*>(data), size);
  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  std::memcpy(area->xm_home_folder, "home/\0", 6);
  GuardedRecords records({sizeof(QuarnDrMissingName), 4}, data, 0);
  QUARN_CHECK_DLL_REG(static_cast<QuarnDrMissingName*>(records[0]),
                      static_cast<int32_t*>(records[1]));
  records.check();
  std::int32_t result;
  std::memcpy(&result, records[1], 4);
  const std::string_view name(static_cast<const char*>(records[0]), 127);
  // Either all registered and no name, or not found and a name.
  if ((result == 0) != (name.find_first_not_of(' ') == std::string_view::npos)) std::abort();
  if (result != 0 && result != 2) std::abort();
  return 0;
}
