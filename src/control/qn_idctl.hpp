// QN-IDCTL: the user-id program that program control calls by name at sign-on.
#pragma once

#include "quarn/quarn-m.h"

namespace quarn::control {

// Puts `program` in the place of the library's QN-IDCTL (null restores the library's, which
// accepts every user); returns the previous one.
QuarnUserIdProgram set_user_id_program(QuarnUserIdProgram program);

}  // namespace quarn::control
