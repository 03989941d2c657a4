#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnIxiostatRecord)}, data, size);
  auto* record = static_cast<QuarnIxiostatRecord*>(records[0]);
  char status[2];
  std::memcpy(status, record->ix_status_code, 2);
  QUARN_IXIOSTAT(record);
  records.check();
  // The status is left as it was, and the message always ends its text with "|".
  if (std::memcmp(status, record->ix_status_code, 2) != 0) std::abort();
  if (std::memchr(record->ix_status_message, '|', 62) == nullptr) std::abort();
  return 0;
}
