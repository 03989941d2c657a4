#include <cstring>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

// A status from the end of the table and one that falls through to the fallback: the two
// longest walks.
void BM_Ixiostat(benchmark::State& state, const char* status) {
  QuarnIxiostatRecord record;
  std::memset(&record, ' ', sizeof record);
  std::memcpy(record.ix_status_code, status, 2);
  for (auto _ : state) {
    QUARN_IXIOSTAT(&record);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnIxiostatRecord)>);
BENCHMARK_CAPTURE(BM_Ixiostat, last_row, "XX");
BENCHMARK_CAPTURE(BM_Ixiostat, fallback, "7Z");
