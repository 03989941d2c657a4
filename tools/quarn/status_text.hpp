// The suite's own wording of a file status, for messages that show it after the tool's.
#pragma once

#include <string>
#include <string_view>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {

// IXIOSTAT's message for a two-character file status.
inline std::string ixiostat_text(std::string_view code) {
  QuarnIxiostatRecord record;
  put_field(record.ix_status_code, code);
  put_field(record.ix_status_message, "");
  QUARN_IXIOSTAT(&record);
  return to_terminal(trimmed(record.ix_status_message));
}

// True for the statuses that say a file or folder could not be opened or made.
inline bool is_open_status(std::string_view code) {
  return code == "35" || code == "37" || code == "39" || code == "91" || code == "93" ||
         code == "30";
}

}  // namespace quarn::cli
