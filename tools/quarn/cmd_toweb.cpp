// quarn toweb FOLDER ARG: runs the suite's web script through TOWEB.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

int run(const Parsed& line) {
  apply_home(line);
  const std::string_view folder = line.operand(0);  // a path: bytes as given
  QuarnTowebRecord record;
  if (folder.size() >= sizeof record.tw_script_folder)
    return usage_error("toweb", "a folder has at most 66 characters");
  const std::string argument = to_record(line.operand(1));
  if (argument.size() > 1) return usage_error("toweb", "ARG is one character");
  // TOWEB does not wait for the script, so what cannot run is found out before.
  std::string native(folder);
  std::replace(native.begin(), native.end(), '\\', '/');
  if (!native.empty() && !native.ends_with('/')) native += '/';
  if (!exists(native.empty() ? "." : native))
    return cannot_run("toweb", "the folder " + quoted(folder) + " does not exist");
  if (!exists(native + "gotoweb.vbs") && !exists(native + "gotoweb") &&
      !exists(native + "gotoweb.sh")) {
    return cannot_run("toweb", "nothing to run: " + quoted(folder) +
                                   " holds no web script (gotoweb, gotoweb.sh or gotoweb.vbs)");
  }
  std::memset(record.tw_script_folder, 0, sizeof record.tw_script_folder);
  std::memcpy(record.tw_script_folder, folder.data(), folder.size());
  std::memset(record.tw_started, 0, sizeof record.tw_started);
  record.tw_script_argument[0] = argument.empty() ? ' ' : argument[0];
  QUARN_TOWEB(&record);
  std::int32_t started = 0;
  std::memcpy(&started, record.tw_started, sizeof started);
  if (started == 0) {
    return cannot_run("toweb", "the script host (wscript in the program map) could not be started");
  }
  std::printf("started\n");
  return kOk;
}

const Registration registration(
    {.name = "toweb",
     .summary = "run the suite's web script",
     .synopsis = "[--home DIR] FOLDER ARG",
     .description =
         "Runs TOWEB: starts \"wscript FOLDERgotoweb.vbs ARG\" (FOLDER with its final\n"
         "separator, ARG one character) without waiting. wscript is the program map's script\n"
         "host, which runs FOLDER/gotoweb or FOLDER/gotoweb.sh. Exits with 3 when the folder\n"
         "holds no web script or nothing could be started.\n",
     .options = {kHomeOption},
     .operands = {2, 2},
     .expects = "FOLDER and ARG",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
