// quarn ixiostat CODE: the suite's message for a file status.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "status_text.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  const std::string code =
      record_text(line.operand(0), QuarnIxiostatRecord{}.ix_status_code, "a status code");
  std::printf("%s\n", ixiostat_text(code).c_str());
  return kOk;
}

const Registration registration(
    {.name = "ixiostat",
     .summary = "the suite's message for a file status",
     .synopsis = "CODE",
     .description = "Prints the message IXIOSTAT gives for the two-character file status CODE\n"
                    "(compared byte for byte; a shorter code is padded with spaces), e.g.\n"
                    "'quarn ixiostat 23'.\n",
     .operands = {1, 1},
     .expects = "one status code",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
