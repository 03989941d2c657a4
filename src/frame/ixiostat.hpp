// Wording a file status the suite's way: through IXIOSTAT, called by name as the suite's
// programs call it (so that it runs in its frame and a caller's observer sees the call).
#pragma once

#include "quarn/quarn-m.h"

namespace quarn::frame {

// Writes the wording of record.ix_status_code into record.ix_status_message (which the
// caller clears first where it wants no earlier text kept). False when IXIOSTAT could not
// be called.
bool word_file_status(QuarnIxiostatRecord& record);
// The same for CTL-MESSAGE, which is laid out as IXIOSTAT's record.
bool word_file_status(QuarnCtlMessage& message);

}  // namespace quarn::frame
