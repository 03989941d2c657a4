// RPTCTL-VERIFY on report control files built from the fuzzer's bytes: pairs of standard
// and customer records whose keys, numbers and texts are bent out of shape, missing records
// and records of other types. Nothing may crash or be written outside the record; a check
// leaves the customer's file alone; and an update leaves nothing for a second update to do.
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "frame/misc_area.hpp"
#include "guarded_records.hpp"
#include "platform/indexed.hpp"
#include "quarn/quarn-m.h"
#include "temp_home.hpp"

namespace {

using quarn::platform::IndexedFile;
using quarn::platform::OpenMode;

constexpr std::array<const char*, 6> kReports{"DNLIST",       "FA 2-4", "FA 2-4 IE AB",
                                              "FA 2-4 BGTWK", "FS 2-4", "PLAIN"};
// Where a customer record is bent: keys, numbers the rules read, headings, version.
constexpr std::array<std::size_t, 14> kOffsets{13,  16,  17,  29,  34,  80,  150,
                                               154, 156, 159, 160, 162, 163, 200};

std::string base_record(std::size_t length) {
  std::string r(length, ' ');
  r.replace(17, 12, "FA 2-4 IE=F ");
  r[29] = '2';
  r.replace(30, 7, "HEADING");
  r.replace(34, 6, "BUDGET");
  r.replace(154, 3, "220");
  r.replace(159, 2, "05");
  r.replace(162, 2, "07");
  return r;
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// The customer's records in key order.
std::string customer_records() {
  IndexedFile file({213, 0, 17});
  if (file.open(temp_home() + "QUARN.RPT", OpenMode::kInput) != "00") return "(none)";
  std::string out;
  std::string r(213, ' ');
  while (file.read_next(r) == "00")
    out += r;
  return out;
}

char verify(char mode) {
  const std::uint8_t no_bytes[1] = {0};
  GuardedRecords records({sizeof(QuarnRptctlVerifyRecord)}, no_bytes, 0);
  auto* record = static_cast<QuarnRptctlVerifyRecord*>(records[0]);
  record->rv_mode[0] = mode;
  QUARN_RPTCTL_VERIFY(record);
  records.check();
  const char result = record->rv_result[0];
  if (record->rv_mode[0] != mode || std::strchr("0129", result) == nullptr) std::abort();
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  QuarnXMiscExternalWs* misc = quarn::frame::misc_area();
  std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
  std::memcpy(misc->xm_home_folder, temp_home().data(), temp_home().size());
  misc->xm_folder_length[0] = 0;
  misc->xm_folder_length[1] = static_cast<char>(temp_home().size());
  const char mode = static_cast<char>(data[0]);
  ++data;
  --size;

  std::filesystem::remove(temp_home() + "Update.LOG");
  {
    IndexedFile standard({256, 0, 17});
    IndexedFile customer({213, 0, 17});
    if (standard.open(temp_home() + "QUARN-STD.RPT", OpenMode::kOutput) != "00" ||
        customer.open(temp_home() + "QUARN.RPT", OpenMode::kOutput) != "00")
      std::abort();
    standard.begin();
    customer.begin();
    // Each entry: type, report, sequence, presence and a bent byte of the customer's copy.
    for (; size >= 6; data += 6, size -= 6) {
      std::string s = base_record(256);
      s[0] = data[0] & 0x80 ? static_cast<char>(data[0] & 0x7F) : (data[0] & 1 ? 'C' : 'S');
      const char* report = kReports[data[1] % kReports.size()];
      s.replace(1, std::strlen(report), report);
      s.replace(14, 3, "000");
      s[16] = data[2] & 0x80 ? static_cast<char>(data[2]) : static_cast<char>('0' + data[2] % 3);
      standard.write(s);
      if (data[3] % 4 == 0) continue;  // missing in the customer's file
      std::string c = s.substr(0, 213);
      c[kOffsets[data[4] % kOffsets.size()]] = static_cast<char>(data[5]);
      // A bent key byte makes the customer's record another record.
      customer.write(c);
    }
    standard.commit();
    customer.commit();
  }

  const std::string before = customer_records();
  const char result = verify(mode);
  if (mode == 'C' && customer_records() != before) std::abort();
  if (mode == 'U' && result != '9') {
    // Everything the update could do is done: the next one writes nothing.
    std::filesystem::remove(temp_home() + "Update.LOG");
    const std::string after = customer_records();
    verify('U');
    if (customer_records() != after) std::abort();
    const std::string log = contents(temp_home() + "Update.LOG");
    if (log.find("Updated Controls = 0\n") == std::string::npos ||
        log.find("Updated Styles = 0\n") == std::string::npos)
      std::abort();
  }
  return 0;
}
