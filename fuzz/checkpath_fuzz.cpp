#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

// The record; the length of the rest decides whether the probe can be created.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  const std::size_t record_size = sizeof(QuarnCheckpathRecord);
  fake::file_contents.assign(size > record_size ? size - record_size : 0, 'x');
  GuardedRecords records({record_size}, data, size);
  auto* record = static_cast<QuarnCheckpathRecord*>(records[0]);
  QUARN_CHECKPATH(record);
  records.check();
  const std::string_view status(record->cp_status, 2);
  if (status != "00" && status != "73" && status != "74" && status != "75" && status != "79")
    std::abort();
  return 0;
}
