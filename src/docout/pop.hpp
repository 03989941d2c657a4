// POP's process-wide state, reachable by tests: the clock of the standard page header, and
// a reset of the warnings switch, the print-file table and the open document.
#pragma once

#include <ctime>
#include <functional>

namespace quarn::docout {

// The local time written into the standard page header (the system clock by default;
// an empty function restores it).
void set_clock(std::function<std::tm()> clock);

// Back to the state at load: warnings shown, no print file used yet, no document open.
void reset_process_state();

}  // namespace quarn::docout
