// quarn storage check --home DIR: where a home folder keeps its indexed files, and whether
// the server it names answers.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "storage";

int run(const Parsed& line) {
  if (line.operand(0) != "check") {
    return usage_error(kName, "expects check, not " + quoted(line.operand(0)));
  }
  if (!line.has("--home")) return usage_error(kName, "check needs --home DIR");
  const std::string home(line.value("--home"));
  char report[2048] = "";
  const int32_t usable = quarn_storage_check(home.c_str(), report, sizeof report);
  std::fputs(report, stdout);
  return usable == 0 ? kOk : kFailure;
}

const Registration registration(
    {.name = "storage",
     .summary = "say where a home folder keeps its indexed files, and whether that answers",
     .synopsis = "check --home DIR",
     .description =
         "Reads DIR's quarn-storage.conf and prints the backend: sqlite (no such file: the\n"
         "indexed files are SQLite files in DIR) or postgresql, with the connection (without\n"
         "its password), the schema and whether the server answers. Exits with 0 when the\n"
         "storage can be used, 1 when the file is bad or the server does not answer.\n"
         "\n"
         "quarn-storage.conf holds 'name = value' lines ('#' starts a comment):\n"
         "  backend = postgresql          sqlite or postgresql\n"
         "  connection = host=db1 dbname=quarn user=office\n"
         "                                a libpq connection string, or service=NAME\n"
         "  schema = office1              the schema of this folder's tables (a-z, 0-9, _)\n"
         "  connect_timeout = 5           seconds to wait for the server (1 to 600)\n",
     .options = {{.name = "--home", .value = "DIR", .help = "the home folder"}},
     .operands = {1, 1},
     .expects = "check",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
