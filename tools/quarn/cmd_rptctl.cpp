// quarn rptctl check|update --home DIR: RPTCTL-VERIFY on the report control files of a home
// folder; prints the lines the run added to the log and the result.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "rptctl";

const char* meaning(char result, bool update) {
  switch (result) {
    case '0':
      return "nothing to report";
    case '1':
      return "a log exists: the check has been done before";
    case '2':
      return update ? "differences found or records updated"
                    : "the customer's file differs from the standard";
    case '9':
      return "a file failed";
    default:
      return "unexpected result";
  }
}

// The log's contents from `offset` on (the whole log when it is shorter).
std::string log_from(const std::string& path, std::streamoff offset) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  return offset <= static_cast<std::streamoff>(text.size())
             ? text.substr(static_cast<std::size_t>(offset))
             : text;
}

int run(const Args& arguments) {
  Args args = arguments;
  std::string error;
  bool have_home = false;
  for (const std::string_view arg : args)
    have_home = have_home || arg == "--home";
  if (!take_home_option(args, error)) return usage_error(kName, error);
  if (!have_home) return usage_error(kName, "--home is required");
  if (args.size() != 1 || (args[0] != "check" && args[0] != "update")) {
    return usage_error(kName, "expects check or update");
  }
  const bool update = args[0] == "update";

  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  if (area == nullptr) return failure(kName, "X-MISC-EXTERNAL-WS is not available");
  const std::size_t length = static_cast<unsigned char>(area->xm_folder_length[0]) << 8 |
                             static_cast<unsigned char>(area->xm_folder_length[1]);
  const std::string log = std::string(area->xm_home_folder, length) + "Update.LOG";
  std::streamoff before = 0;
  {
    std::ifstream existing(log, std::ios::binary | std::ios::ate);
    if (existing) before = existing.tellg();
  }

  QuarnRptctlVerifyRecord record;
  record.rv_mode[0] = update ? 'U' : 'C';
  record.rv_result[0] = ' ';
  QUARN_RPTCTL_VERIFY(&record);
  const char result = record.rv_result[0];
  if (result != '1') std::fputs(log_from(log, before).c_str(), stdout);
  std::printf("result %c: %s\n", result, meaning(result, update));
  return result == '9' ? kFailure : kOk;
}

const Registration registration(
    {"rptctl", "check or update the report control file against the standard one",
     "usage: quarn rptctl check|update --home DIR\n"
     "\n"
     "Runs RPTCTL-VERIFY on the report control files in the home folder DIR: the\n"
     "customer's QUARN.RPT and the standard QUARN-STD.RPT. check compares them and ends at\n"
     "once when DIR/Update.LOG exists (a check has been done before); update adds the\n"
     "standard records the customer's file lacks and merges the control records, all or\n"
     "nothing. Prints the lines the run added to Update.LOG, then the result: 0 nothing to\n"
     "report, 1 a log exists, 2 a difference found (or records updated), 9 a file failed.\n"
     "Exits with 1 on result 9. Build the files with 'quarn indexed import'.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
