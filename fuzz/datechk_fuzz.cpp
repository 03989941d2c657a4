#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnDatechkRecord)}, data, size);
  auto* record = static_cast<QuarnDatechkRecord*>(records[0]);
  char date[8];
  std::memcpy(date, record, 8);
  QUARN_DATECHK(record);
  records.check();
  // The date is only read; the result is 00 or 99; the switches are closed again.
  if (std::memcmp(date, record, 8) != 0) std::abort();
  if (std::memcmp(record->dc_result, "00", 2) != 0 && std::memcmp(record->dc_result, "99", 2) != 0)
    std::abort();
  if (std::memcmp(reinterpret_cast<const char*>(record) + 10, "NNN", 3) != 0) std::abort();
  return 0;
}
