// What the library knows of the process that loaded it: whether a GnuCOBOL runtime is
// running there, how many records a GnuCOBOL caller passed, and how signed display numbers
// are written for the callers of this process.
#pragma once

#include <atomic>
#include <cstddef>

#include "frame/codec.hpp"

namespace quarn::frame {

// True when the library runs inside an initialised GnuCOBOL runtime. Decided at the first
// question and kept for the life of the process, so that every external area and every
// signed number of the process follows one choice.
bool in_gnucobol_process();

namespace detail {
// What in_gnucobol_process() found: -1 not asked yet, 0 no, 1 yes. Read on every call.
extern signed char gnucobol_process;
int passed_params_from_runtime(int declared);
}  // namespace detail

// The number of records the current caller passed: what a GnuCOBOL caller announced when
// one is calling, `declared` otherwise. Read it on entry, before calling anything else.
inline int passed_params(int declared) {
  return detail::gnucobol_process == 0 ? declared : detail::passed_params_from_runtime(declared);
}

// libcob's EXTERNAL storage for a key ("X_MISC_EXTERNAL_WS"); only in a GnuCOBOL process.
void* gnucobol_external_area(const char* key, int size);

namespace detail {
// The convention in force, resolved; below 0 until it is first asked for.
extern std::atomic<signed char> sign_in_force;
SignConvention first_sign_convention();
}  // namespace detail

// The sign convention in force (the setting, with "auto" resolved by the host). Asked for
// every signed number written, so it is one load once known.
inline SignConvention sign_convention() {
  const signed char known = detail::sign_in_force.load(std::memory_order_relaxed);
  return known >= 0 ? static_cast<SignConvention>(known) : detail::first_sign_convention();
}
// Values of the setting: 0 auto, 1 record, 2 GnuCOBOL (the header's QUARN_SIGN_* values).
void set_sign_convention_setting(int setting);

}  // namespace quarn::frame
