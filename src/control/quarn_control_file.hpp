// QUARN-CONTROL-FILE: the one module that opens, reads and writes the control file
// "QUARN.CTL". A form program's nested program in the suite; here a C++ interface used by
// program control, the recent-file list, the C API and the quarn tool.
#pragma once

#include <array>
#include <string_view>

#include "platform/indexed.hpp"
#include "quarn/quarn-m.h"

namespace quarn::control {

inline constexpr std::size_t kProgramIdWidth = 14;
inline constexpr std::size_t kFormIdWidth = 16;
inline constexpr std::size_t kWindowKeyWidth = 20;

// The calling program's names, which make its window key: PROGRAM-ID-NAME (14 characters)
// and FORM-ID-NAME (16); shorter views read as padded with spaces.
struct ProgramNames {
  std::string_view program_id_name;
  std::string_view form_id_name;
};

// The window key: the program name up to its first space, "-" and the form name up to its
// first space when there is one, then "-WINDOW", cut at 20 characters.
std::array<char, kWindowKeyWidth> window_key(const ProgramNames& names);

// One request: CTL-METHOD, CTL-SECTION and CTL-VALUE in, CTL-STATUS and CTL-VALUE out, and
// the message for errors and a newly made file.
void control_file(QuarnControlRequest& request, QuarnCtlMessage& message,
                  const ProgramNames& names);

// Reads the first record whose key is not below (with `after`: above) the key in
// `record`, opening the control file first when needed; the file status ("23" when there
// is no such record; a failed open's general status as a request would report it).
std::array<char, 2> browse_control_file(QuarnCtlflRecord& record, bool after);

// Closes the control file of the process and marks it not open (the path in
// QUARN-CTLFL-EXTERNAL-VALUES all spaces); the next request opens it again.
void close_control_file();

// How long a request waits for a control file that another process is using.
void set_control_file_busy_timeout(int milliseconds);

}  // namespace quarn::control
