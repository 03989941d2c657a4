// A failed POP request for a person: one line of the tool's own words (what failed, what to
// do), then POP's own message as it is, and the exit status it calls for.
#pragma once

#include <string>
#include <string_view>

#include "cli.hpp"

namespace quarn::cli {

struct PopFailure {
  std::string message;
  int status = kFailure;
  bool print_file = false;  // the print file or the viewer failed, not the request's data
};

inline PopFailure pop_failure(std::string_view request, std::string_view status,
                              std::string_view pop_message, const std::string& home) {
  const auto says = [&](std::string_view text) { return pop_message.starts_with(text); };
  std::string words;
  int exit_status = kFailure;
  bool print_file = true;
  if (says("--Program provided invalid parameters to CBL_CREATE_FILE") ||
      says("--Error writing to the report output file")) {
    words =
        "cannot write the print file in " + home + "; check that the folder exists and is writable";
    exit_status = kCannotRun;
  } else if (says("--Error deleting old print file")) {
    words = "cannot replace an old print file in " + home + "; close it where it is open";
    exit_status = kCannotRun;
  } else if (says("--Unable to start RTF print/preview program")) {
    words =
        "the viewer (the setting POP-RTF-PROCESSOR, or the program map's zuvarezo.exe) "
        "could not be started";
    exit_status = kCannotRun;
  } else if (says("ERROR opening QUARN Image file")) {
    words = "cannot open the picture; make it with 'quarn qim create'";
    exit_status = kCannotRun;
    print_file = false;
  } else {
    words = "POP refused the request";
    print_file = false;
  }
  return {words + " (POP " + std::string(request) + ", status " + std::string(status) + "):\n" +
              to_terminal(pop_message),
          exit_status, print_file};
}

}  // namespace quarn::cli
