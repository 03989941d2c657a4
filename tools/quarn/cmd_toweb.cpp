// quarn toweb FOLDER ARG: runs the suite's web script through TOWEB.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& given) {
  Args args = given;
  std::string error;
  if (!take_home_option(args, error)) return usage_error("toweb", error);
  if (args.size() != 2) return usage_error("toweb", "expects FOLDER and ARG");
  QuarnTowebRecord record;
  if (args[0].size() >= sizeof record.tw_script_folder)
    return usage_error("toweb", "a folder has at most 66 characters");
  if (args[1].size() > 1) return usage_error("toweb", "ARG is one character");
  std::memset(record.tw_script_folder, 0, sizeof record.tw_script_folder);
  std::memcpy(record.tw_script_folder, args[0].data(), args[0].size());
  std::memset(record.tw_started, 0, sizeof record.tw_started);
  record.tw_script_argument[0] = args[1].empty() ? ' ' : args[1][0];
  QUARN_TOWEB(&record);
  std::int32_t started = 0;
  std::memcpy(&started, record.tw_started, sizeof started);
  if (started == 0) return failure("toweb", "the script host could not be started");
  std::printf("started\n");
  return kOk;
}

const Registration registration(
    {"toweb", "run the suite's web script",
     "usage: quarn toweb [--home DIR] FOLDER ARG\n"
     "\n"
     "Runs TOWEB: starts \"wscript FOLDERgotoweb.vbs ARG\" (FOLDER with its final\n"
     "separator, ARG one character) without waiting. wscript is the program map's script\n"
     "host, which runs FOLDER/gotoweb or FOLDER/gotoweb.sh. Exits with 1 when nothing\n"
     "could be started.\n"
     "\n"
     "  --home DIR   the suite's home folder (where quarn-programs.map is read)\n",
     &run});

}  // namespace
}  // namespace quarn::cli
