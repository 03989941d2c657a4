// quarn cwd: the current folder as GET-CURRENT-DIR gives it.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed&) {
  QuarnCdFolder folder;
  std::int32_t length = 0;
  std::int32_t status = 0;
  QUARN_GET_CURRENT_DIR(&folder, &length, &status);
  if (status != 0) return failure("cwd", "the current folder does not fit 255 characters");
  std::printf("%.*s\n", static_cast<int>(length), folder.cd_folder);
  return kOk;
}

const Registration registration(
    {.name = "cwd",
     .summary = "the current folder",
     .description = "Prints the current folder as GET-CURRENT-DIR gives it.\n"
                    "Exits with 1 when it has more than 255 characters.\n",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
