#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({2, 1}, data, size);
  const auto* word = static_cast<const int16_t*>(records[0]);
  const auto* byte_order = static_cast<const char*>(records[1]);
  const auto bits = static_cast<std::uint32_t>(QUARN_WORDTOHEX(word, byte_order));
  records.check();
  // Four hexadecimal digits.
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>(bits >> (8 * i) & 0xFF);
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) std::abort();
  }
  return 0;
}
