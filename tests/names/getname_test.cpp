#include <gtest/gtest.h>

#include <string>

#include "names/records.hpp"
#include "quarn/quarn-m.h"

namespace {

struct Split {
  std::string part_1, part_2, part_3, part_4, sort_name, code;
};

// Calls GETNAME with every output field full of leftovers.
Split getname(const std::string& name) {
  auto record = leftover_record<QuarnGetnameRecord>();
  set(record.gn_name_in, name);
  QUARN_GETNAME(&record);
  return {field(record.gn_part_1), field(record.gn_part_2),    field(record.gn_part_3),
          field(record.gn_part_4), field(record.gn_sort_name), field(record.gn_return_code)};
}

struct Case {
  std::string name;
  std::string parts[4];
  std::string sort_name;
  std::string code;
};

void expect_split(const Case& c) {
  const Split s = getname(c.name);
  EXPECT_EQ(s.part_1, padded(c.parts[0], 20)) << "[" << c.name << "]";
  EXPECT_EQ(s.part_2, padded(c.parts[1], 40)) << "[" << c.name << "]";
  EXPECT_EQ(s.part_3, padded(c.parts[2], 40)) << "[" << c.name << "]";
  EXPECT_EQ(s.part_4, padded(c.parts[3], 20)) << "[" << c.name << "]";
  EXPECT_EQ(s.sort_name, padded(c.sort_name, 40)) << "[" << c.name << "]";
  EXPECT_EQ(s.code, c.code) << "[" << c.name << "]";
}

TEST(Getname, PiecesGoToTheirPartsAndComposeTheSortName) {
  const Case cases[] = {
      {"JOHN SMITH", {"/", "/", "JOHN SMITH/", "/"}, "JOHN SMITH/", "00"},
      {"JOHN/SMITH", {"/", "JOHN/", "SMITH/", "/"}, "SMITH, JOHN/", "00"},
      {"JOHN/A/SMITH", {"JOHN/", "A/", "SMITH/", "/"}, "SMITH, JOHN A/", "00"},
      {"JOHN/A/SMITH/JR", {"JOHN/", "A/", "SMITH/", "JR/"}, "SMITH JR, JOHN A/", "00"},
      {" JOHN / A / SMITH", {"JOHN/", "A/", "SMITH/", "/"}, "SMITH, JOHN A/", "00"},
      {"MR/JOHN/ /SMITH", {"MR/", "JOHN/", "/", "SMITH/"}, "SMITH, MR JOHN/", "00"},
      {"JOHN/", {"/", "JOHN/", "/", "/"}, "JOHN/", "00"},
      {"A/B/C/D", {"A/", "B/", "C/", "D/"}, "C D, A B/", "00"},
      {"O'NEIL/J", {"/", "O'NEIL/", "J/", "/"}, "J, O'NEIL/", "00"},
      {"de la Cruz/ana  maria",
       {"/", "de la Cruz/", "ana  maria/", "/"},
       "ana  maria, de la Cruz/",
       "00"},
  };
  for (const Case& c : cases)
    expect_split(c);
}

// With a code other than "00" the sort name starts as a message, and the composed name
// is written over its start.
TEST(Getname, TooManyPiecesOrNoNameLeaveTheMessageBehindTheSortName) {
  const Case cases[] = {
      {"A/B/C/D/E", {"A/", "B/", "C/", "D E/"}, "C D E, A B/d Name Format*****/", "70"},
      {"A/B/C/D//F", {"A/", "B/", "C/", "D  F/"}, "C D  F, A B/ Name Format*****/", "70"},
      // Blanks and "/" around the fourth piece's text are dropped, up to the end of the line.
      {"A/B/C/ D /  / ", {"A/", "B/", "C/", "D/"}, "C D, A B/lid Name Format*****/", "70"},
      // Only the first 20 characters after the third "/" are kept, "/" as spaces.
      {"A/B/C/D/E/F/G/H/I/J/K/L/M/N/O/P/Q/R/S/T",
       {"A/", "B/", "C/", "D E F G H I J K L M/"},
       "C D E F G H I J K L M, A B/**/",
       "70"},
      {"///", {"/", "/", "/", "/"}, "/****No Name*****/", "79"},
      {"/", {"/", "/", "/", "/"}, "/****No Name*****/", "79"},
      {"  /  ", {"/", "/", "/", "/"}, "/****No Name*****/", "79"},
      {"////", {"/", "/", "/", "/"}, "/****No Name*****/", "79"},  // "79" over "70"
      {"", {"/", "/", "/", "/"}, "/", "79"},                       // blank: nothing is composed
  };
  for (const Case& c : cases)
    expect_split(c);
}

TEST(Getname, PiecesAreCutAtTheFieldWidth) {
  const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD";
  const std::string thirty_nine = forty.substr(0, 39);
  const std::string twenty_five = forty.substr(0, 25);
  const Case cases[] = {
      // A name that fills the field has no terminator, in its part nor in the sort name.
      {forty, {"/", "/", forty, "/"}, forty, "00"},
      {thirty_nine, {"/", "/", (thirty_nine + "/"), "/"}, (thirty_nine + "/"), "00"},
      {(twenty_five + "/X/Y"),
       {"ABCDEFGHIJKLMNOPQRST", "X/", "Y/", "/"},
       "Y, ABCDEFGHIJKLMNOPQRST X/",
       "00"},
      // Cut before the leading spaces go: the piece keeps 15 letters and five spaces.
      {"     ABCDEFGHIJKLMNOPQRST/X/Y",
       {"ABCDEFGHIJKLMNO     ", "X/", "Y/", "/"},
       "Y, ABCDEFGHIJKLMNO      X/",
       "00"},
      // Pieces that end at the line's last position. Cut at 40, the lone piece keeps all its
      // leading spaces and so reaches the end of its field: no terminator, here or in the
      // sort name.
      {(std::string(39, ' ') + "X"), {"/", "/", "X", "/"}, "X", "00"},
      {(std::string(37, ' ') + "A/B"), {"/", "A/", "B/", "/"}, "B, A/", "00"},
      // A composed name of more than 40 characters is cut, without terminator.
      {("A/B/" + forty.substr(0, 36)),
       {"A/", "B/", (forty.substr(0, 36) + "/"), "/"},
       (forty.substr(0, 36) + ", A "),
       "00"},
  };
  for (const Case& c : cases)
    expect_split(c);
}

}  // namespace
