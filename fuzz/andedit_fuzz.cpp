#include <cstdlib>
#include <cstring>
#include <string>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnAndeditRecord)}, data, size);
  auto* record = static_cast<QuarnAndeditRecord*>(records[0]);
  const std::string before(record->ae_text, sizeof record->ae_text);
  QUARN_ANDEDIT(record);
  records.check();
  // Undoubling the result gives back the start of the text.
  std::string undoubled;
  const std::string after(record->ae_text, sizeof record->ae_text);
  for (std::size_t i = 0; i < after.size(); ++i) {
    undoubled += after[i];
    if (after[i] == '&') ++i;
  }
  if (before.compare(0, undoubled.size(), undoubled) != 0) std::abort();
  return 0;
}
