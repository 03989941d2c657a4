#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnAmtnameRecord)}, data, size);
  auto* record = static_cast<QuarnAmtnameRecord*>(records[0]);
  char amount[sizeof record->an_amount];
  std::memcpy(amount, record->an_amount, sizeof amount);
  QUARN_AMTNAME(record);
  records.check();
  // The amount is left as it was; the words are protected; the result code is "00".
  if (std::memcmp(amount, record->an_amount, sizeof amount) != 0) std::abort();
  if (std::memcmp(record->an_words, "**", 2) != 0) std::abort();
  if (std::memcmp(record->an_result_code, "00", 2) != 0) std::abort();
  return 0;
}
