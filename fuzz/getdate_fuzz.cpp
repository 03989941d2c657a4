#include <cstdlib>
#include <cstring>
#include <string_view>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GuardedRecords records({sizeof(QuarnGetdateRecord)}, data, size);
  auto* record = static_cast<QuarnGetdateRecord*>(records[0]);
  char number[6];
  std::memcpy(number, record->gd_day_number, 6);
  QUARN_GETDATE(record);
  records.check();
  if (std::memcmp(number, record->gd_day_number, 6) != 0) std::abort();
  for (const char c : std::string_view(record->gd_month, 8))
    if (c < '0' || c > '9') std::abort();
  if (std::memcmp(record->gd_result, "99", 2) == 0) return 0;
  if (std::memcmp(record->gd_result, "00", 2) != 0) std::abort();

  // A valid number's date is valid (from 1801 on) and GETDAY numbers it back.
  QuarnDatechkRecord check;
  std::memcpy(&check,
              "00000000"
              "00"
              "NNN",
              sizeof check);
  std::memcpy(check.dc_month, record->gd_month, 8);
  QUARN_DATECHK(&check);
  const bool in_1800 = std::memcmp(record->gd_year, "1800", 4) == 0;
  if (std::memcmp(check.dc_result, in_1800 ? "99" : "00", 2) != 0) std::abort();
  std::memcpy(check.dc_result, "00", 2);
  QuarnGetdayRecord day;
  std::memset(&day, ' ', sizeof day);
  std::memcpy(day.gy_month, record->gd_month, 8);
  QUARN_GETDAY(&check, &day);
  int64_t in = 0;
  int64_t out = 0;
  if (quarn_read_display(number, 6, 1, &in) != 0 ||
      quarn_read_display(day.gy_day_number, 6, 0, &out) != 0 || in != out)
    std::abort();
  return 0;
}
