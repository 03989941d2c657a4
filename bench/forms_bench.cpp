// ORGEDIT opened on the desktop runtime under the offscreen platform, from the call to its
// first paint: the first time in the process (the Qt runtime and Qt loaded, the
// application object made) and again. The form is closed as soon as it has painted.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// A home folder with one company's ORGFILE, and the desktop runtime chosen, made once.
class Home {
 public:
  Home() {
    setenv("QUARN_FORMS", "qt", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char pattern[] = "/tmp/quarn-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    home_ = std::string(pattern) + "/";
    std::filesystem::create_directories(home_ + "CO1");
    std::ofstream(home_ + "CO1/ORGFILE") << "Acme Widgets Ltd\n1 Main St\nOttawa, ON K1A 0B1\n"
                                            "555-1234\nCA\n\n";
    auto* misc = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    std::memset(misc, ' ', sizeof *misc);
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, home_.data(), home_.size());
    std::memcpy(misc->xm_document_folder, (home_ + "CO1/").data(), home_.size() + 4);
    quarn_forms_on_shown(&shown, this);
  }
  ~Home() {
    quarn_forms_on_shown(nullptr, nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
  }

  // Opens ORGEDIT; the seconds from the call to the first paint (negative: no paint).
  double open_to_first_paint() {
    painted_ = false;
    start_ = Clock::now();
    char runtime[8];
    QUARN_ORGEDIT(nullptr, nullptr, nullptr, nullptr, runtime, nullptr);
    if (!painted_ || std::memcmp(runtime, "qt", 2) != 0) return -1;
    return std::chrono::duration<double>(first_paint_ - start_).count();
  }

 private:
  static int32_t shown(const char*, void* context) {
    auto* self = static_cast<Home*>(context);
    self->first_paint_ = Clock::now();
    self->painted_ = true;
    return 1;  // close the form
  }

  std::string home_;
  Clock::time_point start_, first_paint_;
  bool painted_ = false;
};

Home& home() {
  static Home h;
  return h;
}

void measure(benchmark::State& state) {
  for (auto _ : state) {
    const double seconds = home().open_to_first_paint();
    if (seconds < 0) {
      state.SkipWithError("ORGEDIT did not paint on the desktop runtime");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

// Must run first: the process has not loaded the desktop runtime yet.
void BM_OrgeditFirstPaint_FirstInProcess(benchmark::State& state) {
  measure(state);
}
BENCHMARK(BM_OrgeditFirstPaint_FirstInProcess)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_OrgeditFirstPaint_Again(benchmark::State& state) {
  measure(state);
}
BENCHMARK(BM_OrgeditFirstPaint_Again)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_TEMPLATE(BM_CopyRecord, sizeof(QuarnXMiscExternalWs));

}  // namespace
