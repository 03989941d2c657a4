// DATECHK: whether a month/day/year date is valid within the years the suite accepts.
#include "dates/datechk.hpp"

#include <cstdint>

#include "dates/calendar.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

bool in_accepted_range(std::int64_t year) {
  return year >= dates::kFirstYear && year <= dates::kLastYear;
}

// A field that does not hold a number makes the date invalid, whatever the switches say.
bool is_valid(const QuarnDatechkRecord& record) {
  const auto [month, day, year] = dates::read_date(record.dc_month);
  if (!month || !day || !year) return false;

  const char year_check = record.dc_year_check[0];
  if (year_check == 'N' && !in_accepted_range(*year)) return false;
  if (year_check == 'Y' && *year != 0 && !in_accepted_range(*year)) return false;

  if (*month < 1 && record.dc_zero_month[0] == 'N') return false;
  if (*month > 12) return false;

  if (*day < 1 && record.dc_zero_day[0] == 'N') return false;
  // An accepted month below 1 stands for any month: it allows 31 days.
  const std::int64_t last_day = *month < 1 ? 31 : dates::month_length(*month, *year);
  return *day <= last_day;
}

std::int32_t datechk(QuarnDatechkRecord* passed) {
  auto& record = *passed;
  frame::put_text(record.dc_result, is_valid(record) ? "00" : "99");
  record.dc_zero_month[0] = 'N';
  record.dc_zero_day[0] = 'N';
  record.dc_year_check[0] = 'N';
  return 0;
}

}  // namespace

}  // namespace quarn

QUARN_PROGRAM((DATECHK), quarn::datechk, 1, (record, QuarnDatechkRecord));

std::int32_t quarn::dates::call_datechk(QuarnDatechkRecord& record) {
  void* const params[] = {&record};
  return quarn::programs::DATECHK.call(params);
}
