// quarn ixiostat CODE: the suite's message for a file status.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 1) return usage_error("ixiostat", "expects one status code");
  if (args[0].size() > 2) return usage_error("ixiostat", "a status code has two characters");
  QuarnIxiostatRecord record;
  put_field(record.ix_status_code, args[0]);
  put_field(record.ix_status_message, "");
  QUARN_IXIOSTAT(&record);
  std::printf("%s\n", std::string(trimmed(record.ix_status_message)).c_str());
  return kOk;
}

const Registration registration({"ixiostat", "the suite's message for a file status",
                                 "usage: quarn ixiostat CODE\n"
                                 "\n"
                                 "Prints the message IXIOSTAT gives for the two-character file\n"
                                 "status CODE (compared byte for byte; a shorter code is padded\n"
                                 "with spaces), e.g. 'quarn ixiostat 23'.\n",
                                 &run});

}  // namespace
}  // namespace quarn::cli
