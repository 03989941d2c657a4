// A field of up to 64 bytes sixteen at a time (SSE2, which every x86-64 processor has). The
// field is held as its whole blocks of sixteen from its start, and the up to 8 bytes left
// after them read as one word (frame::digits::load_bytes) into the first bytes of one more
// block, whose other bytes are zero and never marked. That is how a field is usually written
// too (a copy of 20 bytes is a store of 16 and one of 4), so that each read finds its bytes
// in one earlier write, which the processor hands on at once: a read across two writes
// waits until both have reached the cache.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "frame/block.hpp"
#include "frame/codec.hpp"

namespace quarn::names {

// The bytes of a block: a vector register.
inline constexpr std::size_t kBlock = frame::block::kBytes;

// Which bytes of a field are of a kind: bit i stands for byte i.
using Mask = std::uint64_t;

// The mask of the first n bytes (n below 64).
constexpr Mask first_bits(std::size_t n) {
  return (Mask{1} << n) - 1;
}

template <std::size_t kWidth>
class Blocks {
  static constexpr std::size_t kWhole = kWidth / kBlock;
  static constexpr std::size_t kRest = kWidth % kBlock;
  static constexpr std::size_t kCount = kWhole + (kRest > 0);
  static_assert(kWidth > 0 && kWidth <= 64 && kRest <= 8);

 public:
  // The field's bytes, all of them read before any is written back.
  explicit Blocks(const char* field) {
    for (std::size_t k = 0; k < kWhole; ++k)
      bytes_[k] = frame::block::load(field + k * kBlock);
    if constexpr (kRest > 0) bytes_[kWhole] = load_rest(field);
  }

  // Writes the bytes back over the field.
  void store(char* field) const {
    for (std::size_t k = 0; k < kWhole; ++k)
      frame::block::store(field + k * kBlock, bytes_[k]);
    if constexpr (kRest > 0) {
      const auto rest = static_cast<std::uint64_t>(_mm_cvtsi128_si64(bytes_[kWhole]));
      frame::digits::store_bytes(field + kWhole * kBlock, rest, kRest);
    }
  }

  // The bytes that are `c`.
  Mask equal(char c) const {
    return where([c](__m128i bytes, std::size_t) { return frame::block::equal(bytes, c); });
  }
  // The bytes that are the same as those of `other`, a field as wide, at the same positions.
  Mask equal(const std::array<char, kWidth>& other) const {
    const Blocks theirs(other.data());
    return where(
        [&](__m128i bytes, std::size_t k) { return _mm_cmpeq_epi8(bytes, theirs.bytes_[k]); });
  }
  // The bytes from `low` to `high`, as unsigned bytes.
  Mask between(char low, char high) const {
    return where(
        [=](__m128i bytes, std::size_t) { return frame::block::in_range(bytes, low, high); });
  }

  // Puts `to` where the bytes are `from`.
  void replace(char from, char to) {
    for (__m128i& bytes : bytes_) {
      const __m128i found = frame::block::equal(bytes, from);
      bytes = _mm_or_si128(_mm_andnot_si128(found, bytes), _mm_and_si128(found, _mm_set1_epi8(to)));
    }
  }

  // Puts the letters a-z in upper case; every other byte stays as it is.
  void upper_case() {
    for (__m128i& bytes : bytes_) {
      const __m128i case_bit =
          _mm_and_si128(frame::block::in_range(bytes, 'a', 'z'), _mm_set1_epi8(0x20));
      bytes = _mm_xor_si128(bytes, case_bit);
    }
  }

 private:
  static __m128i load_rest(const char* field) {
    const auto rest = frame::digits::load_bytes(field + kWhole * kBlock, kRest);
    return _mm_cvtsi64_si128(static_cast<long long>(rest));
  }

  // The mask of the bytes for which `test` of their block (and the block's number) gives 0xFF.
  template <class Test>
  Mask where(Test test) const {
    Mask mask = 0;
    for (std::size_t k = 0; k < kCount; ++k) {
      const Mask found = frame::block::mask(test(bytes_[k], k));
      mask |= Mask{found} << (k * kBlock);
    }
    return kRest > 0 ? mask & first_bits(kWidth) : mask;
  }

  __m128i bytes_[kCount];
};

}  // namespace quarn::names
