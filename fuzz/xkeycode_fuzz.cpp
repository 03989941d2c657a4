#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnXkeycodeRecord)}, data, size);
  auto* record = static_cast<QuarnXkeycodeRecord*>(records[0]);
  char in[4];
  std::memcpy(in, record, 4);
  QUARN_XKEYCODE(record);
  records.check();
  // The inputs are left as they were; the flag agrees with the index, 00 or 01-64.
  if (std::memcmp(in, record, 4) != 0) std::abort();
  const char* index = record->xk_key_index;
  if (index[0] < '0' || index[0] > '6' || index[1] < '0' || index[1] > '9') std::abort();
  const int n = (index[0] - '0') * 10 + (index[1] - '0');
  if (record->xk_no_character[0] == '1') {
    if (n != 0 || record->xk_character[0] != ' ') std::abort();
  } else if (record->xk_no_character[0] != '0' || n < 1 || n > 64) {
    std::abort();
  }
  return 0;
}
