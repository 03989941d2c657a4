// GETNAME: a personal name keyed as "/"-separated pieces split into its parts, with a sort
// name composed as "LAST SUFFIX, FIRST MIDDLE".
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "names/placing.hpp"

namespace quarn {
namespace {

// A return code and what the sort name field shows behind the composed name: nothing when
// the name was split cleanly, else a message whose start the composed name overwrites.
struct Outcome {
  std::string_view code;
  std::string_view sort_name_background;
};
constexpr Outcome kSplit{"00", ""};
constexpr Outcome kTooManyPieces{"70", "*****Invalid Name Format*****/"};
constexpr Outcome kNoName{"79", "*****No Name*****/"};

// Builds the sort name: two groups of two part texts, each pair joined by a space, the
// groups by ", "; empty texts are left out with their joining space.
class SortName {
 public:
  void add_group(std::string_view first, std::string_view second) {
    if (first.empty() && second.empty()) return;
    if (length_ > 0) append(", ");
    append(first);
    if (!first.empty() && !second.empty()) append(" ");
    append(second);
  }
  std::string_view text() const { return {buffer_.data(), length_}; }

 private:
  void append(std::string_view s) {
    std::copy(s.begin(), s.end(), buffer_.data() + length_);
    length_ += s.size();
  }
  // Two parts of 40 and two of 20, two joining spaces and ", ".
  std::array<char, 40 + 40 + 20 + 20 + 2 + 2> buffer_;
  std::size_t length_ = 0;
};

std::int32_t getname(QuarnGetnameRecord* passed) {
  auto& record = *passed;
  // Trailing spaces are blanks that placing would drop from the last piece anyway.
  const std::string_view line = frame::trimmed(record.gn_name_in);
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
  std::array<std::string_view, 4> pieces;
  const std::size_t slashes = names::split_pieces(line, pieces);
  const std::size_t first_part = slashes == 0 ? 2 : slashes == 1 ? 1 : 0;
  const auto keyed = [&](std::size_t part) {
    return part < first_part ? std::string_view() : pieces[part - first_part];
  };
  const std::string_view part_1 = names::place(record.gn_part_1, keyed(0));
  const std::string_view part_2 = names::place(record.gn_part_2, keyed(1));
  const std::string_view part_3 = names::place(record.gn_part_3, keyed(2));
  const std::string_view part_4 =
      names::place(record.gn_part_4, keyed(3), names::Slashes::kToSpaces);

  const bool no_name = part_1.empty() && part_2.empty() && part_3.empty() && part_4.empty();
  const Outcome& outcome = no_name ? kNoName : slashes >= 4 ? kTooManyPieces : kSplit;
  frame::put_text(record.gn_return_code, outcome.code);
  frame::put_text(record.gn_sort_name, outcome.sort_name_background);
  SortName sort_name;
  sort_name.add_group(part_3, part_4);
  sort_name.add_group(part_1, part_2);
  names::write_terminated(record.gn_sort_name, sort_name.text());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETNAME), quarn::getname, 1, (record, QuarnGetnameRecord));
