#include "frame/codec.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/host.hpp"
#include "frame/program.hpp"

namespace quarn::frame {
namespace {

TEST(TextCodec, ClearFillsWithSpacesNeverZeroBytes) {
  char field[6] = {'\0', 'A', '\0', 'B', 'C', '\0'};
  clear(field);
  EXPECT_EQ(std::string(field, 6), "      ");
}

TEST(TextCodec, PutTextPadsAndCuts) {
  char field[5];
  put_text(field, "AB");
  EXPECT_EQ(std::string(field, 5), "AB   ");
  put_text(field, "ABCDEFG");
  EXPECT_EQ(std::string(field, 5), "ABCDE");
  put_text(field, "");
  EXPECT_EQ(std::string(field, 5), "     ");
}

TEST(TextCodec, TrimmedAndFirstSpace) {
  const char field[8] = {'A', 'B', ' ', 'C', ' ', ' ', ' ', ' '};
  EXPECT_EQ(trimmed(field), "AB C");
  EXPECT_EQ(first_space(field), 2u);
  const char full[3] = {'X', 'Y', 'Z'};
  EXPECT_EQ(trimmed(full), "XYZ");
  EXPECT_EQ(first_space(full), 3u);
  const char blank[3] = {' ', ' ', ' '};
  EXPECT_EQ(trimmed(blank), "");
}

// Wide fields are trimmed a block at a time: every width and every place of the last
// non-space byte (one that differs from a space in a single bit included) must come out
// the same as trimming byte by byte.
TEST(TextCodec, TrimmedAtEveryWidthAndPlace) {
  for (const char last : {'A', '\0', '0', '\xa0'}) {
    for (std::size_t width = 0; width <= 80; ++width) {
      for (std::size_t at = 0; at <= width; ++at) {
        std::string field(width, ' ');
        if (at < width) field[at] = last;
        if (at > 0) field[0] = 'X';
        const std::size_t kept = at < width ? at + 1 : (at > 0 ? 1 : 0);
        EXPECT_EQ(trimmed(ConstField(field.data(), field.size())).size(), kept)
            << "width " << width << ", last byte " << int(last) << " at " << at;
      }
    }
  }
}

struct ReadCase {
  std::string field;
  std::optional<std::int64_t> value;
};

TEST(DisplayCodec, ReadSignedFollowsTheZoneOfTheLastByte) {
  const ReadCase cases[] = {
      {"0012A", 121},   // 0x41: +1
      {"0012R", -122},  // 0x52: -2
      {"00120", 120},   // plain digit reads as +
      {"0012@", 120},   // 0x40: +0
      {"0012P", -120},  // 0x50: -0
      {"0012I", 129},   // 0x49: +9
      {"0012Y", -129},  // 0x59: -9
      {"123t", -1234},  // GnuCOBOL's negative: 0x70 + digit
      {"012p", -120},   //
      {"0", 0},         //
      {"999999999999999999", 999999999999999999},
      {"0012J", std::nullopt},  // 0x4A: no digit in the low half
      {"0012b", std::nullopt},  // 0x62: no sign zone
      {"0012 ", std::nullopt},  // 0x20
      {"00 2A", std::nullopt},  // a space before the last byte
      {"0A120", std::nullopt},  // a zone anywhere but the last byte
      {"", std::nullopt},
      {"0000000000000000001", std::nullopt},  // 19 digits: wider than handled
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_signed(c.field), c.value) << "field \"" << c.field << '"';
  }
}

TEST(DisplayCodec, ReadUnsignedTakesDigitsOnly) {
  const ReadCase cases[] = {
      {"00120", 120},
      {"7", 7},
      {"0012A", std::nullopt},
      {"12 ", std::nullopt},
      {"-12", std::nullopt},
      {"", std::nullopt},
      {std::string(19, '1'), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_unsigned(c.field), c.value) << "field \"" << c.field << '"';
  }
}

struct WriteCase {
  std::int64_t value;
  std::size_t width;
  SignConvention convention;
  std::string expected;
  bool fits;
};

TEST(DisplayCodec, WriteSignedInBothConventions) {
  constexpr auto kRecord = SignConvention::kRecord;
  constexpr auto kCobol = SignConvention::kGnuCobol;
  const WriteCase cases[] = {
      {120, 5, kRecord, "0012@", true},   // + as 0x40 + digit
      {-120, 5, kRecord, "0012P", true},  // - as 0x50 + digit
      {121, 5, kRecord, "0012A", true},
      {-129, 5, kRecord, "0012Y", true},
      {0, 3, kRecord, "00@", true},
      {120, 5, kCobol, "00120", true},   // + as a plain digit
      {-1234, 4, kCobol, "123t", true},  // - as 0x70 + digit
      {0, 3, kCobol, "000", true},
      {123456, 4, kRecord, "345F", false},  // high-order digits dropped
      {std::numeric_limits<std::int64_t>::min(), 18, kRecord, "22337203685477580X", false},
  };
  for (const auto& c : cases) {
    std::string field(c.width, '?');
    EXPECT_EQ(write_signed(field, c.value, c.convention), c.fits) << c.value;
    EXPECT_EQ(field, c.expected) << c.value;
    if (c.fits) {
      EXPECT_EQ(read_signed(field), c.value) << "round trip of " << c.value;
    }
  }
}

TEST(DisplayCodec, WriteUnsignedKeepsLowOrderDigitsAndMagnitude) {
  std::string field(4, '?');
  EXPECT_TRUE(write_unsigned(field, 42));
  EXPECT_EQ(field, "0042");
  EXPECT_FALSE(write_unsigned(field, 123456));
  EXPECT_EQ(field, "3456");
  EXPECT_FALSE(write_unsigned(field, -17));
  EXPECT_EQ(field, "0017");
}

// The display codec reads and writes eight digits at a time. These compare it with the
// plain digit-by-digit rules on every width and, for reading, with every byte value in
// every position; each field is allocated at its exact width, so that the sanitizers see
// any access outside it.
std::optional<std::int64_t> reference_unsigned(const std::string& field) {
  if (field.empty() || field.size() > kMaxDisplayDigits) return {};
  std::int64_t value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return {};
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string reference_digits(std::size_t width, std::uint64_t magnitude) {
  std::string text(width, '0');
  for (std::size_t i = width; i > 0; --i, magnitude /= 10)
    text[i - 1] = static_cast<char>('0' + magnitude % 10);
  return text;
}

TEST(DisplayCodec, ReadsLikeTheDigitRulesForEveryByteInEveryPlace) {
  for (std::size_t width = 1; width <= kMaxDisplayDigits + 1; ++width) {
    const std::string digits = reference_digits(width, 987654321098765432ULL);
    for (std::size_t place = 0; place < width; ++place) {
      for (int byte = 0; byte < 256; ++byte) {
        std::string text = digits;
        text[place] = static_cast<char>(byte);
        const auto field = std::make_unique<char[]>(width);
        std::copy(text.begin(), text.end(), field.get());
        const ConstField f(field.get(), width);
        ASSERT_EQ(read_unsigned(f), reference_unsigned(text))
            << "width " << width << ", byte " << byte << " at " << place;
        // Signed: the same rules for every byte but the last.
        if (place + 1 < width) {
          const auto expected = reference_unsigned(text.substr(0, width - 1));
          const auto got = read_signed(f);
          if (width > kMaxDisplayDigits || (width > 1 && !expected)) {
            ASSERT_EQ(got, std::nullopt) << "width " << width << ", byte " << byte;
          } else {
            ASSERT_EQ(got, expected.value_or(0) * 10 + (text.back() - '0'))
                << "width " << width << ", byte " << byte << " at " << place;
          }
        }
      }
    }
  }
}

TEST(DisplayCodec, WritesLikeTheDigitRulesAtEveryWidth) {
  std::vector<std::uint64_t> values = {
      0,   1,        9,        10,        99,
      100, 12345678, 99999999, 100000000, std::numeric_limits<std::int64_t>::max()};
  for (std::uint64_t p = 1; p <= 1000000000000000000ULL; p *= 10) {
    values.push_back(p - 1);
    values.push_back(p);
    values.push_back(p + 1);
  }
  // A fixed sequence of other values, spread over all magnitudes.
  for (std::uint64_t x = 88172645463325252ULL, i = 0; i < 200; ++i) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    values.push_back((x >> (i % 60)) & 0x7FFFFFFFFFFFFFFF);
  }
  for (std::size_t width = 0; width <= 20; ++width) {
    for (const std::uint64_t value : values) {
      // A guard byte on each side shows a write outside the field.
      std::string buffer = "<" + std::string(width, '?') + ">";
      const Field field(buffer.data() + 1, width);
      const bool fits = write_unsigned(field, static_cast<std::int64_t>(value));
      ASSERT_EQ(buffer, "<" + reference_digits(width, value) + ">") << value;
      // It fits when no digit is left over: the value has at most `width` digits.
      const std::string all = reference_digits(20, value);
      const bool expected = width >= 20 || all.find_first_not_of('0') >= 20 - width;
      ASSERT_EQ(fits, expected) << "width " << width << ", " << value;
    }
  }
}

TEST(DisplayCodec, SignConventionSettingOverridesTheHost) {
  std::string field(3, '?');
  set_sign_convention_setting(2);
  write_signed(field, -5);
  EXPECT_EQ(field, "00u");
  set_sign_convention_setting(1);
  write_signed(field, -5);
  EXPECT_EQ(field, "00U");
  // Automatic: this test process has no GnuCOBOL runtime, so the records' own convention.
  set_sign_convention_setting(0);
  EXPECT_FALSE(in_gnucobol_process());
  write_signed(field, 5);
  EXPECT_EQ(field, "00E");
}

// Setting "auto" asks the host nothing yet: a host may set it before its GnuCOBOL runtime
// has started, and what in_gnucobol_process() finds is kept for the process.
TEST(DisplayCodec, AutomaticSignConventionIsResolvedWhenFirstUsed) {
  if ((detail::entry_services.load() & detail::kAskRuntime) == 0)
    GTEST_SKIP() << "this process has asked already (run alone, as ctest runs it)";
  set_sign_convention_setting(0);
  EXPECT_NE(detail::entry_services.load() & detail::kAskRuntime, 0) << "asked at the setting";
  std::string field(3, '?');
  write_signed(field, 5);
  EXPECT_EQ(field, "00E");
  EXPECT_EQ(detail::entry_services.load() & detail::kAskRuntime, 0) << "asked when first used";
}

TEST(BinaryCodec, ByteOrderAndSign) {
  char bytes[4];
  write_le32(bytes, 0x12345678);
  EXPECT_EQ(std::string(bytes, 4), "\x78\x56\x34\x12");
  EXPECT_EQ(read_le32(bytes), 0x12345678);
  write_be32(bytes, 0x12345678);
  EXPECT_EQ(std::string(bytes, 4), "\x12\x34\x56\x78");
  EXPECT_EQ(read_be32(bytes), 0x12345678);
  write_le32(bytes, -2);
  EXPECT_EQ(std::string(bytes, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(read_le32(bytes), -2);
  write_be32(bytes, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(read_be32(bytes), std::numeric_limits<std::int32_t>::min());

  write_le16(bytes, 0x0102);
  EXPECT_EQ(std::string(bytes, 2), "\x02\x01");
  EXPECT_EQ(read_le16(bytes), 0x0102);
  write_be16(bytes, -300);
  EXPECT_EQ(std::string(bytes, 2), "\xFE\xD4");
  EXPECT_EQ(read_be16(bytes), -300);
  EXPECT_EQ(read_le16(bytes), static_cast<std::int16_t>(0xD4FE));
}

}  // namespace
}  // namespace quarn::frame
