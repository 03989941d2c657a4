// quarn checkpath PATH [--create]: whether files can be created in a folder.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

const char* meaning(std::string_view status) {
  if (status == "00") return "the folder exists and is writable";
  if (status == "73") return "the folder was created";
  if (status == "74") return "the folder is not writable and was not created";
  if (status == "75") return "the probe file could not be closed or deleted";
  if (status == "79") return "the path has no separator (give a folder with its final /)";
  return "unexpected status";
}

int run(const Parsed& line) {
  const std::string_view path = line.operand(0);  // a path: bytes as given
  QuarnCheckpathRecord record;
  if (path.size() > sizeof record.cp_path)
    return usage_error("checkpath", "a path has at most 128 characters");
  put_field(record.cp_path, path);
  record.cp_create_flag[0] = line.has("--create") ? 'Y' : 'N';
  put_field(record.cp_status, "");
  QUARN_CHECKPATH(&record);
  const std::string status(record.cp_status, 2);
  std::printf("%s %s\n", printable(record.cp_status).c_str(), meaning(status));
  return status == "00" || status == "73" ? kOk : kFailure;
}

const Registration registration(
    {.name = "checkpath",
     .summary = "check that files can be created in a folder",
     .synopsis = "PATH [--create]",
     .description =
         "Runs CHECKPATH on the folder part of PATH (up to its last / or \\): creates and\n"
         "deletes the probe file CKPERK9CV.QNC there. Prints the status and its meaning: 00\n"
         "writable, 73 created, 74 not writable and not created, 75 probe not removed, 79 no\n"
         "separator. Exits with 1 unless the status is 00 or 73.\n",
     .options = {{.name = "--create",
                  .help = "create a folder that cannot be probed (its last level only)"}},
     .operands = {1, 1},
     .expects = "one path",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
