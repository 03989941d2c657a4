// RPTCTL-VERIFY on a standard file of 20,000 records against a customer file that differs
// in 10% of them (1,000 records missing, 1,000 first records of a control with an older
// version): the update, and the check. Each run starts from a fresh copy of the customer's
// file and no log.
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

constexpr int kReports = 2000;
constexpr int kControlsPerReport = 9;  // and one style per report: 20,000 records
constexpr int kRecords = kReports * (kControlsPerReport + 1);

std::string make_record(std::size_t length, char type, int report, int sequence) {
  std::string r(length, ' ');
  const auto put = [&r](std::size_t offset, std::string_view text) {
    r.replace(offset, text.size(), text);
  };
  char key[18];
  std::snprintf(key, sizeof key, "%cREPORT%06d %03d", type, report, sequence);
  put(0, key);
  put(30, "HEADING OF THE REPORT");
  put(80, "SUBHEADING");
  put(154, "100");
  put(159, "05");
  put(162, "07");
  put(200, "COLUMNS 1-6");
  return r;
}

class Files {
 public:
  Files() {
    char pattern[] = "/tmp/quarn-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    home_ = std::string(pattern) + "/";
    std::ofstream standard(home_ + "standard.txt");
    std::ofstream customer(home_ + "customer.txt");
    for (int report = 0; report < kReports; ++report) {
      for (int sequence = 0; sequence < kControlsPerReport; ++sequence) {
        const std::string s = make_record(256, 'C', report, sequence);
        standard << s << '\n';
        std::string c = s.substr(0, 213);
        if (sequence == 5 && report % 2 == 1) continue;                 // missing
        if (sequence == 0 && report % 2 == 0) c.replace(162, 2, "06");  // an older version
        customer << c << '\n';
      }
      const std::string style = make_record(256, 'S', report, 0);
      standard << style << '\n';
      customer << style.substr(0, 213) << '\n';
    }
    standard.close();
    customer.close();
    import(home_ + "QUARN-STD.RPT", 256, home_ + "standard.txt");
    import(home_ + "fresh.RPT", 213, home_ + "customer.txt");

    auto* misc = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, home_.data(), home_.size());
    misc->xm_folder_length[0] = static_cast<char>(home_.size() >> 8);
    misc->xm_folder_length[1] = static_cast<char>(home_.size() & 0xFF);
  }
  ~Files() { std::filesystem::remove_all(home_); }

  // The customer's file as it was before any update, and no log.
  void reset() const {
    std::filesystem::copy_file(home_ + "fresh.RPT", home_ + "QUARN.RPT",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(home_ + "Update.LOG");
  }

 private:
  static void import(const std::string& file, int length, const std::string& text) {
    char error[256];
    if (quarn_indexed_import(file.c_str(), length, 17, text.c_str(), error, sizeof error) != 0) {
      std::fprintf(stderr, "%s\n", error);
      std::abort();
    }
  }
  std::string home_;
};

const Files& files() {
  static const Files made;
  return made;
}

void BM_RptctlVerify(benchmark::State& state, char mode, char expected) {
  const Files& f = files();
  for (auto _ : state) {
    state.PauseTiming();
    f.reset();
    state.ResumeTiming();
    QuarnRptctlVerifyRecord record;
    record.rv_mode[0] = mode;
    QUARN_RPTCTL_VERIFY(&record);
    if (record.rv_result[0] != expected) state.SkipWithError("unexpected result");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnRptctlVerifyRecord)>);
BENCHMARK_CAPTURE(BM_RptctlVerify, update, 'U', '2')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RptctlVerify, check, 'C', '2')->Unit(benchmark::kMillisecond);
