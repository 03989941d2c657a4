// Sixteen bytes at a time ("a block"), with SSE2, which every x86-64 processor has: the loads,
// stores and byte tests that the text and name programs build their passes on. A test gives
// 0xFF in the bytes where it holds; `mask` turns that into bit i for byte i of the block.
#pragma once

#include <emmintrin.h>

#include <cstddef>

namespace quarn::frame::block {

inline constexpr std::size_t kBytes = 16;

inline __m128i load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
inline void store(char* at, __m128i bytes) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(at), bytes);
}

// Bit i set where byte i of the test holds (its high bit set), no bit above the sixteen.
inline unsigned mask(__m128i test) {
  return static_cast<unsigned>(_mm_movemask_epi8(test));
}

// The bytes that are c.
inline __m128i equal(__m128i bytes, char c) {
  return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

// The bytes from `low` to `high`, as unsigned bytes: a byte's distance from `low` is at most
// the range's.
inline __m128i in_range(__m128i bytes, char low, char high) {
  const __m128i from_low = _mm_sub_epi8(bytes, _mm_set1_epi8(low));
  const __m128i range = _mm_set1_epi8(static_cast<char>(high - low));
  return _mm_cmpeq_epi8(_mm_min_epu8(from_low, range), from_low);
}

}  // namespace quarn::frame::block
