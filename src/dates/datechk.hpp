// DATECHK as the other date programs call it: directly, by address, through its frame.
#pragma once

#include <cstdint>

#include "quarn/quarn-m.h"

namespace quarn::dates {

std::int32_t call_datechk(QuarnDatechkRecord& record);

}  // namespace quarn::dates
