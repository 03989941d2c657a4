// POP's process-wide state, reachable by tests: the clock of the standard page header, and
// a reset of the warnings switch, the print-file table and the open document.
#pragma once

#include <ctime>
#include <functional>

#include "quarn/quarn-m.h"

namespace quarn::docout {

// The caller form of callers without a window of their own (quarn_runtime_form()).
QuarnCallerForm* runtime_caller_form();

// The local time written into the standard page header: installs it as the clock of the
// process (platform/clock, which POP reads); an empty function restores the system clock.
void set_clock(std::function<std::tm()> clock);

// Back to the state at load: warnings shown, no print file used yet, no document open.
void reset_process_state();

}  // namespace quarn::docout
