// The control file and program control on any bytes: the request, the message, the
// program's names, the sign-on fields of X-MISC-EXTERNAL-WS and an action code.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "control/form_program.hpp"
#include "forms/headless_runtime.hpp"
#include "frame/misc_area.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"
#include "temp_home.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // request, message, program id, form id, user, station, preferences, level, action
  GuardedRecords records(
      {sizeof(QuarnControlRequest), sizeof(QuarnCtlMessage), 14, 16, 4, 3, 8, 1, 2}, data, size);
  QuarnXMiscExternalWs* misc = quarn::frame::misc_area();
  std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
  std::memcpy(misc->xm_home_folder, temp_home().data(), temp_home().size());
  std::memcpy(misc->xm_user_id, records[4], 4);
  std::memcpy(misc->xm_station_no, records[5], 3);
  std::memcpy(misc->xm_preferences, records[6], 8);
  std::memcpy(misc->xm_level, records[7], 1);

  auto* request = static_cast<QuarnControlRequest*>(records[0]);
  auto* message = static_cast<QuarnCtlMessage*>(records[1]);
  const bool read = std::memcmp(request->ctl_method, "Get", 3) == 0 ||
                    std::memcmp(request->ctl_method, "SetUserWindowLocation ", 22) == 0;
  quarn_control_file(request, message, static_cast<char*>(records[2]),
                     static_cast<char*>(records[3]));
  records.check();
  // A read that did not succeed leaves no value behind.
  if (read && std::memcmp(request->ctl_status, "00", 2) != 0 &&
      std::memcmp(request->ctl_status, "XX", 2) != 0) {
    for (char c : request->ctl_value) {
      if (c != ' ') std::abort();
    }
  }

  // The same bytes through program control, with a form of the headless runtime.
  auto& runtime = quarn::forms::headless_runtime();
  runtime.close_forms();
  runtime.clear_messages();
  runtime.open_form("Fuzz", {-5, 7, 300, 200});
  quarn::control::FormProgram program;
  std::memcpy(&program.request, request, sizeof *request);
  std::memcpy(program.program_id_name, records[2], 14);
  std::memcpy(program.form_id_name, records[3], 16);
  char action[2];
  std::memcpy(action, records[8], 2);
  quarn::control::quarn_program_control(program, action);
  program.form = runtime.active_form();
  quarn::control::quarn_controls(program);
  return 0;
}
