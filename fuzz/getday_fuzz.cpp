#include <cstdlib>
#include <cstring>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

namespace {

bool digits(const char* field, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (field[i] < '0' || field[i] > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // GETDAY uses 12 bytes of the check record: the guard catches a 13th.
  GuardedRecords records({12, sizeof(QuarnGetdayRecord)}, data, size);
  auto* check = static_cast<QuarnDatechkRecord*>(records[0]);
  auto* day = static_cast<QuarnGetdayRecord*>(records[1]);
  char date[8];
  std::memcpy(date, day, 8);
  QUARN_GETDAY(check, day);
  records.check();
  if (std::memcmp(date, day, 8) != 0) std::abort();
  if (!digits(day->gy_weekday, 2) || !digits(day->gy_day_number, 6)) std::abort();
  if (day->gy_weekday[0] != '0' || day->gy_weekday[1] > '8') std::abort();
  // A number and a weekday come together or not at all.
  const bool no_number = std::memcmp(day->gy_day_number, "000000", 6) == 0;
  const bool no_weekday = std::memcmp(day->gy_weekday, "00", 2) == 0;
  if (no_number != no_weekday) std::abort();
  return 0;
}
