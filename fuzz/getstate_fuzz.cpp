#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnGetstateRecord)}, data, size);
  auto* record = static_cast<QuarnGetstateRecord*>(records[0]);
  QUARN_GETSTATE(record);
  records.check();
  // Every call ends with one of the return codes.
  static const char* const kCodes[] = {"00", "70", "71", "72", "73", "74"};
  for (const char* code : kCodes) {
    if (std::memcmp(record->gs_request_status, code, 2) == 0) return 0;
  }
  std::abort();
}
