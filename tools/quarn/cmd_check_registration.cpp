// quarn check-registration: whether the suite's components are registered.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  apply_home(line);
  QuarnDrMissingName missing;
  std::int32_t result = 0;
  QUARN_CHECK_DLL_REG(&missing, &result);
  if (result == 0) {
    std::printf("all components are registered\n");
    return kOk;
  }
  return failure("check-registration",
                 "not registered: " + to_terminal(trimmed(missing.dr_missing_name)) + " (error " +
                     std::to_string(result) + "); register it with the form runtime or add " +
                     "its key to quarn-registry.txt in " + home_for_messages(line));
}

const Registration registration(
    {.name = "check-registration",
     .summary = "check that the suite's components are registered",
     .synopsis = "[--home DIR]",
     .description =
         "Runs CHECK-DLL-REG: the seven component keys are looked up in order among the\n"
         "identifiers the form runtime registers and in the file quarn-registry.txt of the\n"
         "home folder (one key a line, e.g. SOFTWARE\\Classes\\QUARN.Date.1). Prints the first\n"
         "missing one and exits with 1, or says that all are registered.\n",
     .options = {kHomeOption},
     .run = &run});

}  // namespace
}  // namespace quarn::cli
