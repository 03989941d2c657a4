#include <cstdlib>
#include <cstring>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

// The current folder is the fuzzer's bytes (up to their first zero byte).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  fake::current_folder.assign(reinterpret_cast<const char*>(data), size);
  GuardedRecords records({sizeof(QuarnCdFolder), 4, 4}, data, size);
  auto* folder = static_cast<QuarnCdFolder*>(records[0]);
  QUARN_GET_CURRENT_DIR(folder, static_cast<int32_t*>(records[1]),
                        static_cast<int32_t*>(records[2]));
  records.check();
  std::int32_t length;
  std::int32_t status;
  std::memcpy(&length, records[1], 4);
  std::memcpy(&status, records[2], 4);
  const std::size_t expected = strnlen(fake::current_folder.data(), fake::current_folder.size());
  if (expected <= 255 ? (status != 0 || length != static_cast<std::int32_t>(expected) ||
                         std::memcmp(folder->cd_folder, data, expected) != 0)
                      : (status != 1 || length != 256))
    std::abort();
  return 0;
}
