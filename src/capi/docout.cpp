// The document-output services of the public C header.
#include "docout/pop.hpp"
#include "quarn/quarn-m.h"

extern "C" QUARN_API QuarnCallerForm* quarn_runtime_form(void) {
  return quarn::docout::runtime_caller_form();
}
