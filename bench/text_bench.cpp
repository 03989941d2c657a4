// The text and number programs, each next to a copy of its record.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

template <typename Record>
Record blank() {
  Record record;
  std::memset(&record, ' ', sizeof record);
  return record;
}

void put(char* field, std::size_t width, std::string_view text) {
  std::memset(field, ' ', width);
  std::memcpy(field, text.data(), text.size() < width ? text.size() : width);
}

// The longest wording: every group in words first, then three numerals.
void BM_Amtname(benchmark::State& state) {
  auto record = blank<QuarnAmtnameRecord>();
  std::memcpy(record.an_amount, "77777777777779", 14);
  record.an_cents_option[0] = '2';
  put(record.an_trailing_text, 10, "Dollars");
  for (auto _ : state) {
    QUARN_AMTNAME(&record);
    benchmark::ClobberMemory();
  }
}

// A full field of short words, most of them list words, with every list in play. The
// conversion is in place, so the text is set again each round (a record copy, also
// measured on its own).
void BM_Mixcase(benchmark::State& state, char style, char exception_set) {
  auto source = blank<QuarnMixcaseRecord>();
  put(source.mc_text, 100,
      "JOHN SMITH III PHD CPA MD PO BOX 12 NE MAIN ST UPS SDA RR 2 O'BRIEN-SMITH. THE END. "
      "NW SE SW NSF");
  source.mc_style[0] = style;
  source.mc_exception_set[0] = exception_set;
  QuarnMixcaseRecord record;
  for (auto _ : state) {
    std::memcpy(&record, &source, sizeof record);
    QUARN_MIXCASE(&record);
    benchmark::ClobberMemory();
  }
}

void BM_Numedit(benchmark::State& state) {
  auto record = blank<QuarnNumeditRecord>();
  put(record.ne_text, 24, "$1,234,567,890.12345-");
  for (auto _ : state) {
    QUARN_NUMEDIT(&record);
    benchmark::ClobberMemory();
  }
}

void BM_Compress(benchmark::State& state) {
  auto source = blank<QuarnCompressRecord>();
  put(source.cp_text, 100, "  A  B   C    D  E F  G   H    I  J K  L   M    N  O P  Q   R    S");
  QuarnCompressRecord record;
  for (auto _ : state) {
    std::memcpy(&record, &source, sizeof record);
    QUARN_COMPRESS(&record);
    benchmark::ClobberMemory();
  }
}

void BM_Andedit(benchmark::State& state) {
  auto source = blank<QuarnAndeditRecord>();
  put(source.ae_text, 128, "R&D & CO, SMITH & SONS & DAUGHTERS, A&B&C&D&E, PROFIT & LOSS");
  QuarnAndeditRecord record;
  for (auto _ : state) {
    std::memcpy(&record, &source, sizeof record);
    QUARN_ANDEDIT(&record);
    benchmark::ClobberMemory();
  }
}

// The frame alone: an exported program whose body does nothing (bench/empty_program.cpp),
// and the same call to an exported function without the frame.
extern "C" std::int32_t QUARN_BENCH_EMPTY(const char* record);
extern "C" std::int32_t quarn_bench_no_frame(const char* record);
template <std::int32_t (*Function)(const char*)>
void BM_EmptyCall(benchmark::State& state) {
  char record = ' ';
  for (auto _ : state) {
    benchmark::DoNotOptimize(Function(&record));
  }
}
void BM_EmptyProgram(benchmark::State& state) {
  BM_EmptyCall<QUARN_BENCH_EMPTY>(state);
}

void BM_Wordtohex(benchmark::State& state) {
  std::int16_t word = -21555;
  char byte_order = 'Y';
  for (auto _ : state) {
    benchmark::DoNotOptimize(QUARN_WORDTOHEX(&word, &byte_order));
  }
}

void BM_Xkeycode(benchmark::State& state) {
  QuarnXkeycodeRecord record = blank<QuarnXkeycodeRecord>();
  record.xk_key_code[0] = static_cast<char>(0xDE);
  record.xk_key_code[1] = 0;
  record.xk_shift_state[0] = 1;
  record.xk_shift_state[1] = 0;
  for (auto _ : state) {
    QUARN_XKEYCODE(&record);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnAmtnameRecord)>);
BENCHMARK(BM_Amtname);
BENCHMARK(BM_CopyRecord<sizeof(QuarnMixcaseRecord)>);
BENCHMARK_CAPTURE(BM_Mixcase, word_names, ' ', 'N');
BENCHMARK_CAPTURE(BM_Mixcase, word_address, ' ', 'A');
BENCHMARK_CAPTURE(BM_Mixcase, sentence_address, 'S', 'A');
BENCHMARK(BM_CopyRecord<sizeof(QuarnNumeditRecord)>);
BENCHMARK(BM_Numedit);
BENCHMARK(BM_CopyRecord<sizeof(QuarnCompressRecord)>);
BENCHMARK(BM_Compress);
BENCHMARK(BM_CopyRecord<sizeof(QuarnAndeditRecord)>);
BENCHMARK(BM_Andedit);
BENCHMARK(BM_EmptyProgram);
BENCHMARK(BM_EmptyCall<quarn_bench_no_frame>);
BENCHMARK(BM_CopyRecord<2 + 1>);
BENCHMARK(BM_Wordtohex);
BENCHMARK(BM_CopyRecord<sizeof(QuarnXkeycodeRecord)>);
BENCHMARK(BM_Xkeycode);
