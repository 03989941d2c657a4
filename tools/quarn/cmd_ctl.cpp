// quarn ctl list|get|set|delete: the settings in a home folder's control file, through the
// library's control-file requests.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include <algorithm>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"
#include "status_text.hpp"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "ctl";

struct Options {
  std::string_view action;
  std::string user;                    // record text
  std::optional<std::string> station;  // three digits
  std::vector<std::string> operands;   // record text
  std::string home;                    // for messages
};

std::string text_of(std::span<const char> field) {
  return to_terminal(trimmed(field));
}

// Checks the line and fills `options`; an empty result means success, else the usage error.
std::string parse(const Parsed& line, Options& options) {
  options.action = line.operand(0);
  if (options.action != "list" && options.action != "get" && options.action != "set" &&
      options.action != "delete") {
    return "unknown action " + quoted(options.action) + " (list, get, set or delete)";
  }
  if (!line.has("--home")) return "--home is required";
  if (!line.has("--user")) return "--user is required";
  options.home = home_for_messages(line);
  options.user = to_record(line.value("--user"));
  if (options.user.empty() || options.user.size() > 4) return "a user id has 1 to 4 characters";
  if (line.has("--station")) {
    const std::string_view value = line.value("--station");
    options.station = std::string(3 - value.size(), '0') + std::string(value);
  }
  for (std::size_t i = 1; i < line.count(); ++i)
    options.operands.push_back(to_record(line.operand(i)));
  const std::size_t wanted = options.action == "list" ? 0 : options.action == "set" ? 2 : 1;
  if (options.operands.size() != wanted) {
    return std::string(options.action) + " expects " +
           (wanted == 0   ? "no section"
            : wanted == 1 ? "a SECTION"
                          : "a SECTION and a VALUE");
  }
  if (wanted > 0 && (options.operands[0].empty() || options.operands[0].size() > 20)) {
    return "a section has 1 to 20 characters";
  }
  if (wanted == 2 && options.operands[1].size() > 100) {
    return "a value has at most 100 characters";
  }
  if (wanted == 2 && trimmed(options.operands[1]).empty()) {
    return "an empty value deletes the setting: use 'quarn ctl delete'";
  }
  return {};
}

// Signs the user on at the station in the process's X-MISC-EXTERNAL-WS (the home folder is
// already there).
bool sign_on(const Options& options) {
  auto* misc = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  if (misc == nullptr) return false;
  put_field(misc->xm_user_id, options.user);
  put_field(misc->xm_station_no, options.station.value_or("000"));
  return true;
}

std::string message_of(const QuarnCtlMessage& message) {
  return to_terminal(
      trimmed(std::span<const char>(reinterpret_cast<const char*>(&message), sizeof message)));
}

// A status that is not "00": the tool's words, then the suite's.
int status_failure(const Options& options, std::string_view status, const std::string& suite) {
  const std::string text = suite.empty() ? ixiostat_text(status) : suite;
  if (is_open_status(status)) {
    return cannot_run(kName, "cannot open the control file QUARN.CTL in " + options.home +
                                 "; check that the folder exists and is writable:\n" + text);
  }
  return failure(kName, "the control file QUARN.CTL in " + options.home +
                            " cannot be used (status " + std::string(status) + "):\n" + text);
}

int run_list(const Options& options) {
  QuarnCtlflRecord record;
  std::memset(&record, 0, sizeof record);
  put_field(record.ctlfl_user, options.user);
  char status[2];
  const std::string user(record.ctlfl_user, sizeof record.ctlfl_user);
  for (int32_t after = 0;; after = 1) {
    quarn_control_file_browse(&record, after, status);
    const std::string_view code(status, 2);
    if (code == "23") break;
    if (code != "00") return status_failure(options, code, "");
    if (std::string_view(record.ctlfl_user, 4) != user) break;
    const std::string_view station(record.ctlfl_station, 4);
    if (options.station && station != "0000" && station.substr(1) != *options.station) continue;
    std::printf("%s  %-20s  %s\n",
                station == "0000" ? "user" : ("#" + std::string(station.substr(1))).c_str(),
                text_of(record.ctlfl_section).c_str(), text_of(record.ctlfl_value).c_str());
  }
  return kOk;
}

int run(const Parsed& line) {
  Options options;
  if (const std::string error = parse(line, options); !error.empty()) {
    return usage_error(kName, error);
  }
  apply_home(line);
  if (!sign_on(options)) return failure(kName, "X-MISC-EXTERNAL-WS is not available");
  if (options.action == "list") return run_list(options);

  const bool station = options.station.has_value();
  const char* method = nullptr;
  if (options.action == "get") {
    method = station ? "GetUserStationControl" : "GetUserGeneralControl";
  } else {
    method = station ? "SaveUserStationControl" : "SaveUserGeneralControl";
  }
  QuarnControlRequest request;
  QuarnCtlMessage message;
  put_field(request.ctl_method, method);
  put_field(request.ctl_section, options.operands[0]);
  put_field(request.ctl_value, options.action == "set" ? options.operands[1] : "");
  put_field(std::span<char>(reinterpret_cast<char*>(&message), sizeof message), "");
  quarn_control_file(&request, &message, nullptr, nullptr);

  const std::string_view status(request.ctl_status, 2);
  const std::string section = to_terminal(options.operands[0]);
  if (status == "23") {
    return failure(kName, "no setting " + quoted(section) + " for user " +
                              quoted(to_terminal(options.user)) + " in " + options.home);
  }
  if (status != "00") return status_failure(options, status, message_of(message));
  // The only message of a request that succeeded: the control file was made ("05").
  if (!message_of(message).empty()) {
    note(kName,
         "made a new control file QUARN.CTL in " + options.home + ":\n" + message_of(message));
  }
  if (options.action == "get") std::printf("%s\n", text_of(request.ctl_value).c_str());
  return kOk;
}

const Registration registration(
    {.name = "ctl",
     .summary = "see and change the settings in a control file",
     .synopsis = "list   --home DIR --user U [--station N]\n"
                 "get    --home DIR --user U [--station N] SECTION\n"
                 "set    --home DIR --user U [--station N] SECTION VALUE\n"
                 "delete --home DIR --user U [--station N] SECTION",
     .description =
         "Works on the control file QUARN.CTL in the home folder DIR (made when it does not\n"
         "exist) for user U (1-4 characters). Without --station the setting is the user's own,\n"
         "the same at every station; with --station N (1-3 digits) it belongs to that station.\n"
         "\n"
         "  list    one line per setting of the user: 'user' or '#N', the section, the value\n"
         "          (with --station: the user-wide settings and that station's)\n"
         "  get     prints the value of SECTION (1-20 characters)\n"
         "  set     stores VALUE (1-100 characters) under SECTION\n"
         "  delete  removes SECTION\n"
         "\n"
         "Exits with 1 when the setting does not exist, with 3 when the file cannot be opened.\n",
     .options = {{.name = "--home",
                  .value = "DIR",
                  .help = "the home folder of QUARN.CTL (required)",
                  .check = check_home},
                 {.name = "--user", .value = "U", .help = "the user (required)"},
                 {.name = "--station",
                  .value = "N",
                  .help = "the station's settings instead of the user's own",
                  .check = digits<1, 3>}},
     .operands = {1, 3},
     .expects = "list, get, set or delete and its operands",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
