#include <cstdlib>
#include <cstring>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

// The string name (20 bytes), then the contents of the file that is read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  const std::size_t name_size = size < 20 ? size : 20;
  fake::file_contents.assign(reinterpret_cast<const char*>(data) + name_size, size - name_size);
  GuardedRecords records({100, 50, 20}, data, 0);
  std::memcpy(records[1], "program.dll", 11);
  std::memcpy(records[2], data, name_size);
  void* returned = QUARN_GETRESOURCESTRING(static_cast<QuarnRsResult*>(records[0]),
                                           static_cast<QuarnRsFileName*>(records[1]),
                                           static_cast<QuarnRsStringName*>(records[2]));
  records.check();
  if (returned != records[0]) std::abort();
  // At most 99 characters of a value: the last position stays a space.
  if (static_cast<const char*>(records[0])[99] != ' ') std::abort();
  return 0;
}
