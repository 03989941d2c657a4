// quarn getname NAME: a personal name split into its parts and its sort name.
#include <string>

#include "cli.hpp"
#include "names_output.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr CodeMeaning kCodes[] = {
    {"00", "split"},
    {"70", "more than four pieces"},
    {"79", "no name"},
};

int run(const Parsed& line) {
  QuarnGetnameRecord record;
  put_field(record.gn_name_in, record_text(line.operand(0), record.gn_name_in, "a name"));
  QUARN_GETNAME(&record);
  print_field("part 1", record.gn_part_1);
  print_field("part 2", record.gn_part_2);
  print_field("part 3", record.gn_part_3);
  print_field("part 4", record.gn_part_4);
  print_field("sort name", record.gn_sort_name);
  return finish("getname", record.gn_return_code, kCodes);
}

const Registration registration(
    {.name = "getname",
     .summary = "a personal name split into its parts",
     .synopsis = "NAME",
     .description =
         "Splits NAME (at most 40 characters), keyed as pieces separated by \"/\", with\n"
         "GETNAME and prints the four parts, the sort name and the return code. One piece\n"
         "goes to part 3; two to parts 2 and 3; three or four to parts 1 to 4 (first,\n"
         "middle, last, suffix). The sort name is parts 3 and 4, a comma, parts 1 and 2.\n"
         "Each text ends with \"/\" unless it fills its field.\n"
         "\n"
         "  quarn getname \"JOHN/A/SMITH/JR\"    -> sort name [SMITH JR, JOHN A/]\n"
         "\n"
         "Exit status 0 for return code 00; 1 for 70 (more than four pieces) or 79 (no\n"
         "name), after the fields are printed.\n",
     .operands = {1, 1},
     .expects = "one name",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
