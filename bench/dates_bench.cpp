#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frame/codec.hpp"
#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

using namespace std::chrono;

// One day in each 97 from 1801 to 2099: dates spread over months, years and leap years.
constexpr int kStep = 97;
const sys_days kFirst = year{1801} / January / 1;
const sys_days kLast = year{2099} / December / 31;

std::vector<year_month_day> sample_dates() {
  std::vector<year_month_day> dates;
  for (sys_days d = kFirst; d <= kLast; d += days{kStep})
    dates.emplace_back(d);
  return dates;
}

std::vector<QuarnGetdayRecord> getday_records() {
  std::vector<QuarnGetdayRecord> records;
  for (const year_month_day& ymd : sample_dates()) {
    QuarnGetdayRecord record;
    std::memset(&record, ' ', sizeof record);
    char date[32];
    std::snprintf(date, sizeof date, "%02u%02u%04d", static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
    std::memcpy(record.gy_month, date, 8);
    records.push_back(record);
  }
  return records;
}

std::vector<QuarnGetdateRecord> getdate_records() {
  std::vector<QuarnGetdateRecord> records;
  for (const year_month_day& ymd : sample_dates()) {
    QuarnGetdateRecord record;
    std::memset(&record, ' ', sizeof record);
    char number[32];
    std::snprintf(number, sizeof number, "%06d",
                  static_cast<int>(sys_days{ymd}.time_since_epoch().count()) + 62093);
    std::memcpy(record.gd_day_number, number, 6);
    records.push_back(record);
  }
  return records;
}

// A sample walked over and over, one element a call. Its start and size are kept where the
// loop's memory clobbers cannot reach them, so no call reloads them from the vector (or
// divides by a record's size to find the count).
template <class T>
class Cycle {
 public:
  explicit Cycle(std::vector<T>& sample) : first_(sample.data()), count_(sample.size()) {}
  T& next() {
    T& element = first_[i_];
    if (++i_ == count_) i_ = 0;
    return element;
  }

 private:
  T* first_;
  std::size_t count_;
  std::size_t i_ = 0;
};

void BM_Getday(benchmark::State& state) {
  auto records = getday_records();
  QuarnDatechkRecord check;
  std::memcpy(&check, "0000000000NNN", sizeof check);
  Cycle cycle(records);
  for (auto _ : state) {
    QUARN_GETDAY(&check, &cycle.next());
    benchmark::ClobberMemory();
  }
}

void BM_ChronoYmdToSysDays(benchmark::State& state) {
  auto dates = sample_dates();
  Cycle cycle(dates);
  for (auto _ : state) {
    year_month_day ymd = cycle.next();
    benchmark::DoNotOptimize(ymd);
    const sys_days day{ymd};
    benchmark::DoNotOptimize(day);
    benchmark::DoNotOptimize(weekday{day});
  }
}

void BM_Getdate(benchmark::State& state) {
  auto records = getdate_records();
  Cycle cycle(records);
  for (auto _ : state) {
    QUARN_GETDATE(&cycle.next());
    benchmark::ClobberMemory();
  }
}

void BM_ChronoSysDaysToYmd(benchmark::State& state) {
  std::vector<sys_days> numbers;
  for (const year_month_day& ymd : sample_dates())
    numbers.emplace_back(ymd);
  Cycle cycle(numbers);
  for (auto _ : state) {
    sys_days day = cycle.next();
    benchmark::DoNotOptimize(day);
    const year_month_day ymd{day};
    benchmark::DoNotOptimize(ymd);
  }
}

// The same work as GETDAY and GETDATE with std::chrono doing the calendar: the record's
// display digits read and written through the library's public codec. It shows how much of
// a call is the calendar and how much the records.
void BM_ChronoOnGetdayRecords(benchmark::State& state) {
  auto records = getday_records();
  Cycle cycle(records);
  for (auto _ : state) {
    QuarnGetdayRecord& r = cycle.next();
    int64_t m = 0, d = 0, y = 0;
    quarn_read_display(r.gy_month, 2, 1, &m);
    quarn_read_display(r.gy_day, 2, 1, &d);
    quarn_read_display(r.gy_year, 4, 1, &y);
    const sys_days day = year{static_cast<int>(y)} / static_cast<int>(m) / static_cast<int>(d);
    const int64_t number = day.time_since_epoch().count() + 62093;
    const int64_t dow = weekday{day}.c_encoding() + 1;
    quarn_write_display(r.gy_day_number, 6, 0, &number);
    quarn_write_display(r.gy_weekday, 2, 0, &dow);
    benchmark::ClobberMemory();
  }
}

void BM_ChronoOnGetdateRecords(benchmark::State& state) {
  auto records = getdate_records();
  Cycle cycle(records);
  for (auto _ : state) {
    QuarnGetdateRecord& r = cycle.next();
    int64_t number = 0;
    quarn_read_display(r.gd_day_number, 6, 1, &number);
    const year_month_day ymd{sys_days{days{number - 62093}}};
    const int64_t m = static_cast<unsigned>(ymd.month());
    const int64_t d = static_cast<unsigned>(ymd.day());
    const int64_t y = static_cast<int>(ymd.year());
    quarn_write_display(r.gd_month, 2, 0, &m);
    quarn_write_display(r.gd_day, 2, 0, &d);
    quarn_write_display(r.gd_year, 4, 0, &y);
    benchmark::ClobberMemory();
  }
}

// The display codec alone, as the programs use it: an eight-digit date (MMDDYYYY) read from
// a record's field and written back to an eight-byte field, the width known where it is used.
void BM_DisplayDate(benchmark::State& state) {
  auto records = getday_records();
  char out[8];
  Cycle cycle(records);
  for (auto _ : state) {
    const auto date =
        quarn::frame::read_unsigned(quarn::frame::ConstField(cycle.next().gy_month, 8));
    if (!date) state.SkipWithError("read");
    quarn::frame::write_unsigned(out, date.value_or(0));
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
}

// The same through the public C functions, whose width is known only when they run.
void BM_DisplayDateCFunctions(benchmark::State& state) {
  auto records = getday_records();
  char out[8];
  Cycle cycle(records);
  for (auto _ : state) {
    std::int64_t date = 0;
    if (quarn_read_display(cycle.next().gy_month, 8, 0, &date) != 0) state.SkipWithError("read");
    quarn_write_display(out, 8, 0, &date);
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
}

void BM_Datechk(benchmark::State& state) {
  QuarnDatechkRecord record;
  std::memcpy(&record, "02292020  NNN", sizeof record);
  for (auto _ : state) {
    QUARN_DATECHK(&record);
    benchmark::ClobberMemory();
  }
}

void BM_Datedit(benchmark::State& state) {
  QuarnDateditRecord record;
  for (auto _ : state) {
    std::memcpy(&record,
                "2-99-20   "
                "   "
                "50N"
                "          "
                "NNN",
                sizeof record);
    QUARN_DATEDIT(&record);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_DisplayDate);
BENCHMARK(BM_DisplayDateCFunctions);
BENCHMARK(BM_CopyRecord<sizeof(QuarnGetdayRecord)>);
BENCHMARK(BM_Getday);
BENCHMARK(BM_ChronoYmdToSysDays);
BENCHMARK(BM_ChronoOnGetdayRecords);
BENCHMARK(BM_CopyRecord<sizeof(QuarnGetdateRecord)>);
BENCHMARK(BM_Getdate);
BENCHMARK(BM_ChronoSysDaysToYmd);
BENCHMARK(BM_ChronoOnGetdateRecords);
BENCHMARK(BM_CopyRecord<sizeof(QuarnDatechkRecord)>);
BENCHMARK(BM_Datechk);
BENCHMARK(BM_CopyRecord<sizeof(QuarnDateditRecord)>);
BENCHMARK(BM_Datedit);
