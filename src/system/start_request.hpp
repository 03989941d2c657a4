// The five parameters of START-EXE, held in a calling program's static storage, and the
// call by name that hands them over.
#pragma once

#include <cstdint>
#include <string_view>

namespace quarn::system {

struct StartRequest {
  char command_line[255];
  char show_window[2];
  char wait_flag[2];
  char exit_code[4];
  char started[4];

  // Fills the parameters (the line space-padded, what does not fit dropped) and calls
  // START-EXE by name. Returns its started result (0 when nothing started).
  std::int32_t run(std::string_view line, std::int16_t show, std::int16_t wait);
};

}  // namespace quarn::system
