// GETSTATE as the other programs of this folder reach it: a direct call, not by name.
#pragma once

#include <cstdint>

#include "quarn/quarn-m.h"

namespace quarn::names {

// Runs GETSTATE on the record through its program frame.
std::int32_t call_getstate(QuarnGetstateRecord& record);

}  // namespace quarn::names
