#include <cstdlib>
#include <cstring>

#include "fake_system.hpp"
#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

// The request, then the home folder and its length in X-MISC-EXTERNAL-WS.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::install();
  GuardedRecords records({sizeof(QuarnHelpRequest), 69}, data, size);
  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  std::memcpy(area->xm_home_folder, records[1], 69);
  auto* request = static_cast<QuarnHelpRequest*>(records[0]);
  QuarnHelpRequest before;
  std::memcpy(&before, request, sizeof before);
  QUARN_HTMLHELP(request);
  records.check();
  if (std::memcmp(&before, request, sizeof before) != 0) std::abort();  // only read
  return 0;
}
