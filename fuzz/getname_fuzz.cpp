#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnGetnameRecord)}, data, size);
  auto* record = static_cast<QuarnGetnameRecord*>(records[0]);
  char name[sizeof record->gn_name_in];
  std::memcpy(name, record->gn_name_in, sizeof name);
  QUARN_GETNAME(record);
  records.check();
  // The name is only read; the return code is one of the three.
  if (std::memcmp(name, record->gn_name_in, sizeof name) != 0) std::abort();
  const char* code = record->gn_return_code;
  if (std::memcmp(code, "00", 2) != 0 && std::memcmp(code, "70", 2) != 0 &&
      std::memcmp(code, "79", 2) != 0) {
    std::abort();
  }
  return 0;
}
