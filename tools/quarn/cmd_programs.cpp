// quarn programs: the programs of the library and the lengths of their records.
#include <cstdio>

#include <vector>

#include "call_table.hpp"
#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed&) {
  std::printf("%-18s %s\n", "PROGRAM",
              "RECORD LENGTHS (form: the caller's form, which quarn call passes)");
  for (int i = 0; const char* name = quarn_program_name(i); ++i) {
    std::size_t lengths[kMaxRecords] = {};
    const int count = quarn_program_info(name, lengths, kMaxRecords);
    const std::vector<ParameterKind> kinds = parameter_kinds(name, count);
    std::printf("%-18s", name);
    for (int r = 0; r < count; ++r) {
      if (kinds[r] == ParameterKind::caller_form)
        std::printf(" form");
      else
        std::printf(" %zu", lengths[r]);
    }
    std::printf("\n");
  }
  return kOk;
}

const Registration registration(
    {.name = "programs",
     .summary = "lists the programs and their record lengths",
     .description = "Lists every program of the library, one a line under a header line, with\n"
                    "the length of each record it takes, in order; 'form' marks a caller's\n"
                    "form, which is no record: quarn call passes the form runtime's own.\n",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
