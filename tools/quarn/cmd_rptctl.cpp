// quarn rptctl check|update --home DIR: RPTCTL-VERIFY on the report control files of a home
// folder; prints the lines the run added to the log and the result.
#include <algorithm>
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

// The files the log's error lines name, and how to mend each.
struct FileError {
  std::string_view label;  // as the log writes it
  std::string_view file;
  std::string_view remedy;
};
constexpr FileError kFileErrors[] = {
    {"RptCtlFILE ERROR: ", "QUARN.RPT",
     "the customer's report control file; build it with 'quarn indexed import DIR/QUARN.RPT "
     "--record-length 213 --key-length 17 TEXT'"},
    {"RptCtlFILE2 ERROR: ", "QUARN-STD.RPT",
     "the standard report control file of the release; build it with 'quarn indexed import "
     "DIR/QUARN-STD.RPT --record-length 256 --key-length 17 TEXT'"},
    {"Log File ERROR: ", "Update.LOG", "the log; check that the folder exists and is writable"},
};

// One line of the tool's own words and the suite's line after it, for each error line.
void explain_errors(const std::string& lines, const std::string& home) {
  std::size_t at = 0;
  while (at < lines.size()) {
    const std::size_t end = std::min(lines.find('\n', at), lines.size());
    const std::string_view line = std::string_view(lines).substr(at, end - at);
    for (const FileError& e : kFileErrors) {
      if (line.find(e.label) == std::string_view::npos) continue;
      std::string remedy(e.remedy);
      if (const std::size_t dir = remedy.find("DIR/"); dir != std::string::npos)
        remedy.replace(dir, 4, home);
      failure(kName,
              "cannot use " + std::string(e.file) + " in " + quoted(home) + ", " + remedy + ":");
      std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    }
    at = end + 1;
  }
}

bool exists(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  return static_cast<bool>(probe);
}

int run(const Parsed& line) {
  if (!line.has("--home")) return usage_error(kName, "--home is required");
  const std::string_view action = line.operand(0);
  if (action != "check" && action != "update")
    return usage_error(kName, "expects check or update, not " + quoted(action));
  apply_home(line);
  const bool update = action == "update";

  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  if (area == nullptr) return failure(kName, "X-MISC-EXTERNAL-WS is not available");
  const std::size_t length = static_cast<unsigned char>(area->xm_folder_length[0]) << 8 |
                             static_cast<unsigned char>(area->xm_folder_length[1]);
  const std::string home(area->xm_home_folder, length);
  const std::string log = home + "Update.LOG";
  const bool had_log = exists(log);
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
  const std::string added = result == '1' ? std::string() : log_from(log, before);
  std::fputs(to_terminal(added).c_str(), stdout);
  std::printf("result %c: %s\n", result, meaning(result, update));
  if (result == '1') {
    return note(kName, "the log " + quoted(log) +
                           " is there from an earlier check; remove it to check again");
  }
  if (result != '9') return kOk;
  std::fflush(stdout);
  if (added.empty()) {
    failure(kName, "cannot write the log Update.LOG in " + quoted(home) +
                       "; check that the folder exists and is writable");
  }
  explain_errors(added, home);
  // A check that could not compare has not been done: its log would make the next check
  // stop at once with "a log exists".
  if (!update && !had_log && exists(log) && std::remove(log.c_str()) == 0)
    note(kName, "removed " + quoted(log) + ", which this failed check wrote");
  return kFailure;
}

const Registration registration(
    {.name = "rptctl",
     .summary = "check or update the report control file against the standard one",
     .synopsis = "check|update --home DIR",
     .description =
         "Runs RPTCTL-VERIFY on the report control files in the home folder DIR: the\n"
         "customer's QUARN.RPT and the standard QUARN-STD.RPT. check compares them and ends at\n"
         "once when DIR/Update.LOG exists (a check has been done before); update adds the\n"
         "standard records the customer's file lacks and merges the control records, all or\n"
         "nothing. Prints the lines the run added to Update.LOG, then the result: 0 nothing to\n"
         "report, 1 a log exists, 2 a difference found (or records updated), 9 a file failed.\n"
         "Exits with 1 on result 9, naming the file; a check that failed so removes the log it\n"
         "wrote. Build the files with 'quarn indexed import'.\n",
     .options = {{.name = "--home",
                  .value = "DIR",
                  .help = "the home folder of the report control files (required)",
                  .check = check_home}},
     .operands = {1, 1},
     .expects = "check or update",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
