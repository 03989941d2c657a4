#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

namespace {

bool digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnDateditRecord)}, data, size);
  auto* record = static_cast<QuarnDateditRecord*>(records[0]);
  QUARN_DATEDIT(record);
  records.check();
  const char* text = record->de_date_text;
  if (std::memchr(text, '-', 10) != nullptr || std::memchr(text, '.', 10) != nullptr) std::abort();
  if (!digit(record->de_result[0]) || !digit(record->de_result[1])) std::abort();
  if (record->de_last_day[0] != 'Y' && record->de_last_day[0] != 'N') std::abort();
  // A checked date is rewritten as " M/DD/YYYY" or "MM/DD/YYYY", and the options are back.
  if (std::memcmp(record->de_result, "00", 2) == 0 ||
      std::memcmp(record->de_result, "99", 2) == 0) {
    if (!(text[0] == ' ' || digit(text[0])) || !digit(text[1]) || text[2] != '/' ||
        !digit(text[3]) || !digit(text[4]) || text[5] != '/' || !digit(text[6]) ||
        !digit(text[7]) || !digit(text[8]) || !digit(text[9]))
      std::abort();
    if (std::memcmp(record->de_pivot, "50", 2) != 0 || record->de_month_year[0] != 'N')
      std::abort();
    if (std::memcmp(record->de_check.dc_result, record->de_result, 2) != 0) std::abort();
  }
  return 0;
}
