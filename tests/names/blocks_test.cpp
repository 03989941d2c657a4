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

// Every width's bytes are stored where they were read, and each is found at its own position
// only.
template <std::size_t kWidth>
void check_width() {
  SCOPED_TRACE(kWidth);
  const auto original = guarded_field<kWidth>();
  const Blocks<kWidth> blocks(original.data() + 1);
  // Stored over another field, between its own guard bytes.
  std::array<char, kWidth + 2> stored;
  stored.fill('#');
  blocks.store(stored.data() + 1);
  EXPECT_EQ(std::string(stored.data() + 1, kWidth), std::string(original.data() + 1, kWidth));
  EXPECT_EQ(stored.front(), '#');
  EXPECT_EQ(stored.back(), '#');
  for (std::size_t i = 0; i < kWidth; ++i)
    EXPECT_EQ(blocks.equal(original[i + 1]), Mask{1} << i) << i;
  // Nothing outside the field is read or marked.
  EXPECT_EQ(blocks.equal('<') | blocks.equal('>') | blocks.equal('\0'), 0u);
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
