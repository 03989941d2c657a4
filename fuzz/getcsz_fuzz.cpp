#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnGetcszRecord), sizeof(QuarnGetstateRecord)}, data, size);
  auto* record = static_cast<QuarnGetcszRecord*>(records[0]);
  auto* state = static_cast<QuarnGetstateRecord*>(records[1]);
  QUARN_GETCSZ(record, state);
  records.check();
  static const char* const kCodes[] = {"00", "70", "71", "72", "73", "74", "78", "79"};
  for (const char* code : kCodes) {
    if (std::memcmp(record->csz_return_code, code, 2) == 0) return 0;
  }
  std::abort();
}
