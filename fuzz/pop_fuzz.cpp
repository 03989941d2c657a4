// POP on any bytes of its request and caller records, for every request code, with a form
// whose answers come from the input. Documents go to a scratch home folder whose program
// map turns the viewer into a program that does nothing.
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "guarded_records.hpp"
#include "quarn/quarn-m.h"

namespace {

std::int32_t answer = 6;
std::int32_t display(void*, const char*, const char*, std::int32_t) {
  return answer;
}
void geometry(void*, std::int32_t* l, std::int32_t* t, std::int32_t* w, std::int32_t* h) {
  *l = *t = 0;
  *w = *h = 100;
}
void thru(void*) {}

void prepare_home() {
  static bool done = false;
  if (done) return;
  done = true;
  char pattern[] = "/tmp/quarn-pop-fuzz-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  const std::string home = std::string(pattern) + "/";
  std::ofstream(home + "quarn-programs.map") << "zuvarezo.exe = true\n";
  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  std::memset(area, ' ', sizeof *area);
  std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
  std::memcpy(area->xm_home_folder, home.data(), home.size());
}

constexpr const char* kCodes[] = {"INI", "SEC", "WHD", "WH1", "WFT", "WF1", "WRI", "PAG",
                                  "PIC", "STA", "CLS", "CLV", "CLP", "PPF", "???"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  prepare_home();
  if (size < 2) return 0;
  const std::uint8_t code = data[0];
  answer = data[1] % 3 == 0 ? 2 : data[1] % 3 == 1 ? 6 : 7;
  GuardedRecords records({sizeof(QuarnPopRecord), sizeof(QuarnPopCaller)}, data + 2, size - 2);
  auto* rec = static_cast<QuarnPopRecord*>(records[0]);
  auto* caller = static_cast<QuarnPopCaller*>(records[1]);
  // Mostly an initialised record, so that the requests get past the marker check; the
  // picture name never reaches outside the scratch folder.
  if (code & 0x80) std::memcpy(rec->pop_marker, "COKY ", 5);
  std::memset(rec->pop_picture_file, ' ', sizeof rec->pop_picture_file);
  std::memcpy(rec->pop_request, kCodes[code % std::size(kCodes)], 3);
  QuarnCallerForm form{nullptr, &display, &geometry, &thru};
  QUARN_POP(rec, caller, (code & 0x40) ? nullptr : &form);
  records.check();
  // A second request on the same record, then a close: the document state must hold.
  std::memcpy(rec->pop_request, "WRI", 3);
  QUARN_POP(rec, caller, &form);
  std::memcpy(rec->pop_request, "CLS", 3);
  QUARN_POP(rec, caller, &form);
  records.check();
  const char status[2] = {rec->pop_status[0], rec->pop_status[1]};
  if (std::memcmp(status, "00", 2) != 0 && std::memcmp(status, "XX", 2) != 0 &&
      std::memcmp(status, "XC", 2) != 0 && std::memcmp(status, "91", 2) != 0)
    std::abort();
  return 0;
}
