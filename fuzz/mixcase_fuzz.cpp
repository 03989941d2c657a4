#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

namespace {
char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnMixcaseRecord)}, data, size);
  auto* record = static_cast<QuarnMixcaseRecord*>(records[0]);
  char text[sizeof record->mc_text];
  std::memcpy(text, record->mc_text, sizeof text);
  QUARN_MIXCASE(record);
  records.check();
  // Only the case of letters changes, and both options read as spaces.
  for (std::size_t i = 0; i < sizeof text; ++i) {
    if (lower(text[i]) != lower(record->mc_text[i])) std::abort();
  }
  if (record->mc_style[0] != ' ' || record->mc_exception_set[0] != ' ') std::abort();
  return 0;
}
