#include <cstdlib>
#include <cstring>

#include "frame/codec.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnNumeditRecord)}, data, size);
  auto* record = static_cast<QuarnNumeditRecord*>(records[0]);
  char text[sizeof record->ne_text];
  std::memcpy(text, record->ne_text, sizeof text);
  QUARN_NUMEDIT(record);
  records.check();
  // The text is left as it was and the number is always a well-formed signed number,
  // negative only when the text holds a "-".
  if (std::memcmp(text, record->ne_text, sizeof text) != 0) std::abort();
  const auto value = quarn::frame::read_signed(record->ne_number);
  if (!value) std::abort();
  if (*value < 0 && std::memchr(text, '-', sizeof text) == nullptr) std::abort();
  return 0;
}
