// quarn check-registration: whether the suite's components are registered.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& given) {
  Args args = given;
  std::string error;
  if (!take_home_option(args, error)) return usage_error("check-registration", error);
  if (!args.empty()) return usage_error("check-registration", "takes only --home");
  QuarnDrMissingName missing;
  std::int32_t result = 0;
  QUARN_CHECK_DLL_REG(&missing, &result);
  if (result == 0) {
    std::printf("all components are registered\n");
    return kOk;
  }
  return failure("check-registration",
                 "not registered: " + std::string(trimmed(missing.dr_missing_name)) + " (error " +
                     std::to_string(result) + ")");
}

const Registration registration(
    {"check-registration", "check that the suite's components are registered",
     "usage: quarn check-registration [--home DIR]\n"
     "\n"
     "Runs CHECK-DLL-REG: the seven component keys are looked up in order among the\n"
     "identifiers the form runtime registers and in the file quarn-registry.txt of the\n"
     "home folder (one key a line, e.g. SOFTWARE\\Classes\\QUARN.Date.1). Prints the first\n"
     "missing one and exits with 1, or says that all are registered.\n"
     "\n"
     "  --home DIR   the suite's home folder\n",
     &run});

}  // namespace
}  // namespace quarn::cli
