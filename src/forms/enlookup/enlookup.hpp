// ENLOOKUP, the lookup form of the master-organisation id: the application's own in place
// of the library's stand-in.
#pragma once

#include "quarn/quarn-m.h"

namespace quarn::forms {

// Puts `program` in the place of the library's lookup (null: the library's again); returns
// the previous one.
QuarnLookupProgram set_lookup_program(QuarnLookupProgram program);

}  // namespace quarn::forms
