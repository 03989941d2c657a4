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

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "ctl";

struct Options {
  std::string_view action;
  std::string_view user;
  std::optional<std::string> station;  // three digits
  std::vector<std::string_view> operands;
};

std::string text_of(std::span<const char> field) {
  return std::string(trimmed(field));
}

// Parses the line into `options`; an empty result means success, else the usage error.
std::string parse(Args args, Options& options) {
  if (args.empty()) return "expects list, get, set or delete";
  // --home goes straight into X-MISC-EXTERNAL-WS (folder and its length).
  const bool have_home = std::find(args.begin(), args.end(), "--home") != args.end();
  std::string error;
  if (!take_home_option(args, error)) return error;
  options.action = args[0];
  if (options.action != "list" && options.action != "get" && options.action != "set" &&
      options.action != "delete") {
    return "unknown action '" + std::string(options.action) + "'";
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--user" || arg == "--station") {
      if (i + 1 >= args.size()) return std::string(arg) + " needs a value";
      const std::string_view value = args[++i];
      if (arg == "--user") {
        if (value.empty() || value.size() > 4) return "a user id has 1 to 4 characters";
        options.user = value;
      } else {
        if (value.empty() || value.size() > 3 ||
            value.find_first_not_of("0123456789") != std::string_view::npos) {
          return "a station number has 1 to 3 digits";
        }
        options.station = std::string(3 - value.size(), '0') + std::string(value);
      }
    } else if (arg.starts_with("--")) {
      return "unexpected '" + std::string(arg) + "'";
    } else {
      options.operands.push_back(arg);
    }
  }
  if (!have_home) return "--home is required";
  if (options.user.empty()) return "--user is required";
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
  return std::string(
      trimmed(std::span<const char>(reinterpret_cast<const char*>(&message), sizeof message)));
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
    if (code != "00")
      return failure(kName, "the control file cannot be read (status " + std::string(code) + ")");
    if (std::string_view(record.ctlfl_user, 4) != user) break;
    const std::string_view station(record.ctlfl_station, 4);
    if (options.station && station != "0000" && station.substr(1) != *options.station) continue;
    std::printf("%s  %-20s  %s\n",
                station == "0000" ? "user" : ("#" + std::string(station.substr(1))).c_str(),
                text_of(record.ctlfl_section).c_str(), text_of(record.ctlfl_value).c_str());
  }
  return kOk;
}

int run(const Args& args) {
  Options options;
  if (const std::string error = parse(args, options); !error.empty()) {
    return usage_error(kName, error);
  }
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
  const std::string section(options.operands[0]);
  if (status == "23") return failure(kName, "no setting '" + section + "'");
  if (status != "00") {
    return failure(kName, "status " + std::string(status) + ": " + message_of(message));
  }
  if (!message_of(message).empty()) std::fprintf(stderr, "%s\n", message_of(message).c_str());
  if (options.action == "get") std::printf("%s\n", text_of(request.ctl_value).c_str());
  return kOk;
}

const Registration registration(
    {kName, "see and change the settings in a control file",
     "usage: quarn ctl list   --home DIR --user U [--station N]\n"
     "       quarn ctl get    --home DIR --user U [--station N] SECTION\n"
     "       quarn ctl set    --home DIR --user U [--station N] SECTION VALUE\n"
     "       quarn ctl delete --home DIR --user U [--station N] SECTION\n"
     "\n"
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
     "Exit status 1 when the setting does not exist or the file cannot be used.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
