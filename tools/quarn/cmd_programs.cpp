// quarn programs: the programs of the library and the lengths of their records.
#include <cstdio>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (!args.empty()) return usage_error("programs", "takes no arguments");
  for (int i = 0; const char* name = quarn_program_name(i); ++i) {
    size_t lengths[8] = {};
    const int count = quarn_program_info(name, lengths, 8);
    std::printf("%-18s", name);
    for (int r = 0; r < count; ++r)
      std::printf(" %zu", lengths[r]);
    std::printf("\n");
  }
  return kOk;
}

const Registration registration({"programs", "lists the programs and their record lengths",
                                 "usage: quarn programs\n"
                                 "\n"
                                 "Lists every program of the library, one a line, with the\n"
                                 "length of each record it takes, in order.\n",
                                 &run});

}  // namespace
}  // namespace quarn::cli
