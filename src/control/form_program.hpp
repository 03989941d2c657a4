// The fields a form program keeps for program control and the control file, which its
// nested programs (QUARN-CONTROLS, QUARN-PROGRAM-CONTROL, the recent-file list) work on.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "control/quarn_control_file.hpp"
#include "forms/runtime.hpp"
#include "quarn/quarn-m.h"

namespace quarn::control {

inline constexpr std::size_t kCaptionWidth = 32;
inline constexpr std::size_t kMessageBoxStyles = 9;

struct FormProgram {
  QuarnControlRequest request{};
  QuarnCtlMessage message{};
  char program_id_name[kProgramIdWidth]{};  // set by the form before its first call
  char form_id_name[kFormIdWidth]{};
  // The form object reference, fetched from the runtime at load.
  std::shared_ptr<forms::Form> form;
  // Start fields, set at load: the date (YYYYMMDD), the time (HHMMSScc) and the signed-on
  // user's rights code for the program.
  char start_date[8]{};
  char start_time[8]{};
  char rights_code[1]{};
  // Message-box styles: 1 errors ... 7 replace questions (see program control).
  std::array<std::int32_t, kMessageBoxStyles> message_box_styles{};
  // Title of every message box of the program.
  char caption[kCaptionWidth]{};

  ProgramNames names() const {
    return {std::string_view(program_id_name, sizeof program_id_name),
            std::string_view(form_id_name, sizeof form_id_name)};
  }
};

// QUARN-CONTROLS: a control-file request of the form program (program.request), with the
// window methods reading the form's place and size for a save and applying and bounding
// them after a read.
void quarn_controls(FormProgram& program);

// QUARN-PROGRAM-CONTROL: the form's start, sign-on and sign-off and service actions. The
// action code ("LF", "LP", "L*", "LX", all 0xFF, "P4", "P9") is replaced by the result.
void quarn_program_control(FormProgram& program, char (&action)[2]);

}  // namespace quarn::control
