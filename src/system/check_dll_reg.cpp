// CHECK-DLL-REG: whether the suite's seven components are registered; names the first one
// that is not.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/registry.hpp"

namespace quarn {
namespace {

// Checked in this order under the local-machine root.
constexpr std::array<std::string_view, 7> kComponentKeys{{
    "Software\\Classes\\_QUARN.DNMonths.1",
    "SOFTWARE\\Classes\\_QUARN.DNOffIO2.1",
    "SOFTWARE\\Classes\\_QUARN.EntityIO.1",
    "SOFTWARE\\Classes\\_QUARN.GLFMonths.1",
    "SOFTWARE\\Classes\\QUARN.Calendar.1",
    "SOFTWARE\\Classes\\QUARN.Date.1",
    "SOFTWARE\\Classes\\QUARN.POPProg.1",
}};

std::int32_t check_dll_reg(QuarnDrMissingName* passed, std::int32_t* result_in) {
  auto& missing = *passed;
  char* result = reinterpret_cast<char*>(result_in);

  std::string home;
  if (const QuarnXMiscExternalWs* area = frame::misc_area()) home = frame::home_folder(*area);
  std::int32_t code = platform::registry::kOk;
  std::string_view failed_key;
  for (const std::string_view key : kComponentKeys) {
    code = platform::registry::open_key(key, home);
    if (code != platform::registry::kOk) {
      failed_key = key;
      break;
    }
  }

  frame::clear(missing.dr_missing_name);
  if (code != platform::registry::kOk)  // the identifier is the key's last part
    frame::put_text(missing.dr_missing_name, failed_key.substr(failed_key.rfind('\\') + 1));
  frame::write_le32(result, code);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((CHECK, DLL, REG), quarn::check_dll_reg, 2, (missing_name, QuarnDrMissingName),
              (result, std::int32_t));
