// GETNAME: a personal name keyed as "/"-separated pieces split into its parts, with a sort
// name composed as "LAST SUFFIX, FIRST MIDDLE".
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "names/placing.hpp"

namespace quarn {
namespace {

constexpr std::size_t kSortNameWidth = sizeof(QuarnGetnameRecord::gn_sort_name);
// A sort name field's text, with spaces after it up to whole blocks.
using SortNameText = std::array<char, names::kBlocksOf<kSortNameWidth>>;

consteval SortNameText sort_name_text(std::string_view text) {
  SortNameText field{};
  frame::put_text(field, text);
  return field;
}

// A return code and what the sort name field shows behind the composed name: nothing when
// the name was split cleanly, else a message whose start the composed name overwrites.
struct Outcome {
  std::string_view code;
  SortNameText sort_name_background;
};
constexpr Outcome kSplit{"00", sort_name_text("")};
constexpr Outcome kTooManyPieces{"70", sort_name_text("*****Invalid Name Format*****/")};
constexpr Outcome kNoName{"79", sort_name_text("*****No Name*****/")};

// Builds the sort name: two groups of two part texts, each pair joined by a space, the
// groups by ", "; empty texts are left out with their joining space.
class SortName {
 public:
  // The positions that are read whatever the name's length, the field's blocks, always hold
  // a character.
  SortName() { frame::clear(std::span(buffer_).first<names::kBlocksOf<kSortNameWidth>>()); }

  template <std::size_t kFirst, std::size_t kSecond>
  void add_group(const names::Placed<kFirst>& first, const names::Placed<kSecond>& second) {
    if (first.empty() && second.empty()) return;
    if (length_ > 0) append(", ");
    append(first);
    if (!first.empty() && !second.empty()) append(" ");
    append(second);
  }

  // Writes the name and its terminator over the background into the field, cut at its
  // width: what follows the terminator is the background's. (Positions are compared as
  // bytes, the name being shorter than 256, so that a whole block is decided at once.)
  void write(std::span<char, kSortNameWidth> field, const SortNameText& background) const {
    SortNameText shown;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const char name = buffer_[i];
      const char behind = background[i];
      shown[i] = static_cast<std::uint8_t>(i) < static_cast<std::uint8_t>(length_) ? name : behind;
    }
    std::copy_n(shown.data(), field.size(), field.data());
    if (length_ < field.size()) field[length_] = names::kSlash;
  }

 private:
  void append(std::string_view separator) {
    std::copy(separator.begin(), separator.end(), buffer_.data() + length_);
    length_ += separator.size();
  }
  // A part's whole field is copied, a fixed width, and what stands after its text is
  // overwritten by the next append or left out of the name.
  template <std::size_t kWidth>
  void append(const names::Placed<kWidth>& part) {
    std::memcpy(buffer_.data() + length_, part.field.data(), kWidth);
    length_ += part.length;
  }
  // Two parts of 40 and two of 20, two joining spaces and ", ": room for every part's field
  // whole, at any length of what stands before it.
  std::array<char, 40 + 40 + 20 + 20 + 2 + 2> buffer_;
  std::size_t length_ = 0;
};

std::int32_t getname(QuarnGetnameRecord* passed) {
  auto& record = *passed;
  const names::KeyedLine<4> line(record.gn_name_in);
  if (line.empty()) {
    for (const frame::Field field : {frame::Field(record.gn_part_1), frame::Field(record.gn_part_2),
                                     frame::Field(record.gn_part_3), frame::Field(record.gn_part_4),
                                     frame::Field(record.gn_sort_name)}) {
      names::set_empty(field);
    }
    frame::put_text(record.gn_return_code, kNoName.code);
    return 0;
  }

  // One piece is the last name (part 3), two are the first and last names (parts 2 and 3),
  // more fill the parts from the first, the fourth taking everything after the third "/". A
  // part without a piece is placed from an empty one: "/" and spaces.
  const std::size_t slashes = line.slashes();
  const std::size_t first_part = slashes == 0 ? 2 : slashes == 1 ? 1 : 0;
  const auto keyed = [&](std::size_t part) {
    return part < first_part ? names::Piece() : line[part - first_part];
  };
  const auto part_1 = names::place(record.gn_part_1, keyed(0));
  const auto part_2 = names::place(record.gn_part_2, keyed(1));
  const auto part_3 = names::place(record.gn_part_3, keyed(2));
  const auto part_4 = names::place(record.gn_part_4, keyed(3), names::Slashes::kToSpaces);

  const bool no_name = part_1.empty() && part_2.empty() && part_3.empty() && part_4.empty();
  const Outcome& outcome = no_name ? kNoName : slashes >= 4 ? kTooManyPieces : kSplit;
  frame::put_text(record.gn_return_code, outcome.code);
  SortName sort_name;
  sort_name.add_group(part_3, part_4);
  sort_name.add_group(part_1, part_2);
  sort_name.write(record.gn_sort_name, outcome.sort_name_background);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETNAME), quarn::getname, 1, (record, QuarnGetnameRecord));
