#include "names/blocks.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

namespace {

using quarn::names::Blocks;
using quarn::names::Mask;

// A field of distinct bytes, high ones among them, between guard bytes that must stay.
template <std::size_t kWidth>
std::array<char, kWidth + 2> guarded_field() {
  std::array<char, kWidth + 2> bytes{};
  bytes.front() = '<';
  bytes.back() = '>';
  for (std::size_t i = 0; i < kWidth; ++i)
    bytes[i + 1] = static_cast<char>(i % 2 == 0 ? 'A' + i / 2 : 0x80 + i);
  return bytes;
}

// Every width's bytes come back where they were, each found at its own position only, and
// a byte put at a position changes that one alone.
template <std::size_t kWidth>
void check_width() {
  SCOPED_TRACE(kWidth);
  const auto original = guarded_field<kWidth>();
  auto field = original;
  const Blocks<kWidth> blocks(field.data() + 1);
  blocks.store(field.data() + 1);
  EXPECT_EQ(field, original);
  for (std::size_t i = 0; i < kWidth; ++i)
    EXPECT_EQ(blocks.equal(original[i + 1]), Mask{1} << i) << i;
  // Nothing outside the field is read or marked.
  EXPECT_EQ(blocks.equal('<') | blocks.equal('>') | blocks.equal('\0'), 0u);

  for (std::size_t i = 0; i < kWidth; ++i) {
    Blocks<kWidth> changed = blocks;
    changed.put(i, '/');
    auto stored = original;
    changed.store(stored.data() + 1);
    auto expected = original;
    expected[i + 1] = '/';
    EXPECT_EQ(stored, expected) << i;
    EXPECT_EQ(changed.equal('/'), Mask{1} << i) << i;
  }
}

TEST(Blocks, StoreWhatWasReadAndMarkEachPosition) {
  // Widths with no rest, and rests of every form the last word can be read in.
  check_width<1>();
  check_width<2>();
  check_width<3>();
  check_width<4>();
  check_width<5>();
  check_width<6>();
  check_width<7>();
  check_width<8>();
  check_width<16>();
  check_width<20>();
  check_width<23>();
  check_width<40>();
}

}  // namespace
