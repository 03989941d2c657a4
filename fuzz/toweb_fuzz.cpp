#include <cstdlib>
#include <cstring>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  GuardedRecords records({sizeof(QuarnTowebRecord)}, data, size);
  auto* record = static_cast<QuarnTowebRecord*>(records[0]);
  QuarnTowebRecord before;
  std::memcpy(&before, record, sizeof before);
  QUARN_TOWEB(record);
  records.check();
  // Nothing starts here: the started field says so, and only it changes.
  std::int32_t started;
  std::memcpy(&started, record->tw_started, 4);
  if (started != 0) std::abort();
  if (std::memcmp(before.tw_script_folder, record->tw_script_folder, 67) != 0 ||
      before.tw_script_argument[0] != record->tw_script_argument[0])
    std::abort();
  return 0;
}
