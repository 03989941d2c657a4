// A field of 16 to 64 bytes sixteen at a time (SSE2, which every x86-64 processor has). The
// field is held as the blocks that cover it: from its start in steps of sixteen, the last one
// ending at the field's end, so that it may overlap the one before it. A test or a change of
// the bytes two blocks share comes out the same in both, so the overlap needs no care. A
// field of up to 8 bytes is held in the first bytes of one block, read and written as a word
// (frame::digits::load_bytes and store_bytes), the block's other bytes zero and unmarked.
#pragma once

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "frame/codec.hpp"

namespace quarn::names {

// The bytes of a block: a vector register.
inline constexpr std::size_t kBlock = 16;

// Which bytes of a field are of a kind: bit i stands for byte i.
using Mask = std::uint64_t;

// The mask of the first n bytes (n below 64).
constexpr Mask first_bits(std::size_t n) {
  return (Mask{1} << n) - 1;
}

template <std::size_t kWidth>
class Blocks {
  static_assert((kWidth >= 1 && kWidth <= 8) || (kWidth >= kBlock && kWidth <= 64));
  static constexpr bool kShort = kWidth < kBlock;
  static constexpr std::size_t kCount = (kWidth + kBlock - 1) / kBlock;

 public:
  // The field's bytes, all of them read before any is written back.
  explicit Blocks(const char* field) {
    if constexpr (kShort) {
      const auto word = static_cast<long long>(frame::digits::load_bytes(field, kWidth));
      bytes_[0] = _mm_cvtsi64_si128(word);
    } else {
      for (std::size_t k = 0; k < kCount; ++k)
        bytes_[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + start(k)));
    }
  }

  // Writes the bytes back over the field.
  void store(char* field) const {
    if constexpr (kShort) {
      const auto word = static_cast<std::uint64_t>(_mm_cvtsi128_si64(bytes_[0]));
      frame::digits::store_bytes(field, word, kWidth);
    } else {
      for (std::size_t k = 0; k < kCount; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(field + start(k)), bytes_[k]);
    }
  }

  // The bytes that are `c`.
  Mask equal(char c) const {
    return where(
        [c](__m128i bytes, std::size_t) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); });
  }
  // The bytes that are the same as those of `other`, a field as wide, at the same positions.
  Mask equal(const std::array<char, kWidth>& other) const {
    static_assert(!kShort);
    return where([&](__m128i bytes, std::size_t at) {
      return _mm_cmpeq_epi8(bytes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&other[at])));
    });
  }
  // The bytes from `low` to `high`, as unsigned bytes.
  Mask between(char low, char high) const {
    return where([=](__m128i bytes, std::size_t) { return in_range(bytes, low, high); });
  }

  // Puts the letters a-z in upper case; every other byte stays as it is.
  void upper_case() {
    for (__m128i& bytes : bytes_) {
      const __m128i case_bit = _mm_and_si128(in_range(bytes, 'a', 'z'), _mm_set1_epi8(0x20));
      bytes = _mm_xor_si128(bytes, case_bit);
    }
  }

 private:
  static constexpr std::size_t start(std::size_t k) {
    return kShort ? 0 : std::min(k * kBlock, kWidth - kBlock);
  }

  // 0xFF where the byte is from `low` to `high`: its distance from `low` is at most the range's.
  static __m128i in_range(__m128i bytes, char low, char high) {
    const __m128i from_low = _mm_sub_epi8(bytes, _mm_set1_epi8(low));
    const __m128i range = _mm_set1_epi8(static_cast<char>(high - low));
    return _mm_cmpeq_epi8(_mm_min_epu8(from_low, range), from_low);
  }

  // The mask of the bytes for which `test` of their block (and the block's start) gives 0xFF.
  template <class Test>
  Mask where(Test test) const {
    Mask mask = 0;
    for (std::size_t k = 0; k < kCount; ++k) {
      const auto found = static_cast<std::uint16_t>(_mm_movemask_epi8(test(bytes_[k], start(k))));
      mask |= Mask{found} << start(k);
    }
    return kShort ? mask & first_bits(kWidth) : mask;
  }

  __m128i bytes_[kCount];
};

}  // namespace quarn::names
