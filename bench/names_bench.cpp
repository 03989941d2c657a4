#include <cstring>
#include <string_view>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

template <std::size_t N>
void set(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), text.size());
}

void BM_Getname(benchmark::State& state, const char* name) {
  QuarnGetnameRecord record;
  std::memset(&record, ' ', sizeof record);
  set(record.gn_name_in, name);
  for (auto _ : state) {
    QUARN_GETNAME(&record);
    benchmark::ClobberMemory();
  }
}

// GETSTATE and GETCSZ rewrite their inputs (request, country), so each call starts from a
// copy of the prepared record; the copy is part of the time measured.
void BM_Getcsz(benchmark::State& state, const char* line, const char* country) {
  QuarnGetcszRecord record;
  QuarnGetstateRecord prepared;
  QuarnGetstateRecord lookup;
  std::memset(&record, ' ', sizeof record);
  std::memset(&prepared, ' ', sizeof prepared);
  set(record.csz_line_in, line);
  set(prepared.gs_country, country);
  for (auto _ : state) {
    std::memcpy(&lookup, &prepared, sizeof lookup);
    QUARN_GETCSZ(&record, &lookup);
    benchmark::ClobberMemory();
  }
}

void BM_Getstate(benchmark::State& state, const char* request, const char* code, const char* number,
                 const char* country, const char* postal) {
  QuarnGetstateRecord prepared;
  QuarnGetstateRecord record;
  std::memset(&prepared, ' ', sizeof prepared);
  set(prepared.gs_request_status, request);
  set(prepared.gs_state_code, code);
  set(prepared.gs_state_number, number);
  set(prepared.gs_country, country);
  set(prepared.gs_postal_code, postal);
  for (auto _ : state) {
    std::memcpy(&record, &prepared, sizeof record);
    QUARN_GETSTATE(&record);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnGetnameRecord)>);
BENCHMARK_CAPTURE(BM_Getname, four_pieces, "JOHN/A/SMITH/JR");
BENCHMARK_CAPTURE(BM_Getname, many_pieces, "A/B/C/D/E/F/G/H/I/J/K/L/M/N/O/P/Q/R/S/T");

BENCHMARK(BM_CopyRecord<sizeof(QuarnGetcszRecord) + sizeof(QuarnGetstateRecord)>);
BENCHMARK_CAPTURE(BM_Getcsz, us, "BIRMINGHAM/AL/35203", "US");
BENCHMARK_CAPTURE(BM_Getcsz, bermuda, "SANDYS/wk/ma 01", "  ");

BENCHMARK(BM_CopyRecord<sizeof(QuarnGetstateRecord)>);
// The last row of the table, and a number that no row has: the longest walks.
BENCHMARK_CAPTURE(BM_Getstate, last_code, "01", "SG", "", "SG", "123456/");
BENCHMARK_CAPTURE(BM_Getstate, unknown_number, "02", "", "099", "  ", "");
BENCHMARK_CAPTURE(BM_Getstate, canada_postal, "01", "yt", "", "CA", "y1a 0a1/");
