// The yardstick of every benchmark: copying a record of the program's size, in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstring>

template <std::size_t N>
void BM_CopyRecord(benchmark::State& state) {
  std::array<char, N> from{};
  std::array<char, N> to{};
  from.fill(' ');
  for (auto _ : state) {
    benchmark::DoNotOptimize(from.data());
    std::memcpy(to.data(), from.data(), N);
    // `to` must escape too, or the copy is a dead store and the loop measures nothing.
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
