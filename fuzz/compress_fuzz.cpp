#include <cstdlib>
#include <cstring>
#include <string>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnCompressRecord)}, data, size);
  auto* record = static_cast<QuarnCompressRecord*>(records[0]);
  const std::string before(record->cp_text, sizeof record->cp_text);
  QUARN_COMPRESS(record);
  records.check();
  const std::string after(record->cp_text, sizeof record->cp_text);
  // The same characters other than spaces, in the same order; no leading space and no two
  // spaces in a row before the padding.
  std::string kept_before, kept_after;
  for (const char c : before)
    if (c != ' ') kept_before += c;
  for (const char c : after)
    if (c != ' ') kept_after += c;
  if (kept_before != kept_after) std::abort();
  const std::size_t end = after.find_last_not_of(' ');
  if (end != std::string::npos &&
      (after[0] == ' ' || after.substr(0, end).find("  ") != std::string::npos)) {
    std::abort();
  }
  return 0;
}
