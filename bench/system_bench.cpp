// The system helpers cost what their system calls cost: a process start, a file created
// and deleted, a file read. Measured next to a copy of their records all the same.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

namespace fs = std::filesystem;

// A scratch folder with the version fixture and a registered-keys file.
struct Scratch {
  Scratch() {
    char name[] = "/tmp/qb.XXXXXX";
    path = ::mkdtemp(name);
    fs::copy_file(QUARN_BENCH_DATA "/version/plain.dll", path / "plain.dll");
    fs::copy_file(QUARN_BENCH_DATA "/registry/quarn-registry.txt", path / "quarn-registry.txt");
  }
  ~Scratch() { fs::remove_all(path); }
  fs::path path;
};
Scratch& scratch() {
  static Scratch s;
  return s;
}

void fill(char* field, std::size_t width, const std::string& text) {
  std::memset(field, ' ', width);
  std::memcpy(field, text.data(), std::min(width, text.size()));
}

void BM_StartExe(benchmark::State& state, const char* line) {
  QuarnSeCommandLine command;
  fill(command.se_command_line, sizeof command.se_command_line, line);
  const std::int16_t show = 1;
  const std::int16_t wait = 1;
  std::int32_t exit_code = 0;
  std::int32_t started = 0;
  for (auto _ : state) {
    QUARN_START_EXE(&command, &show, &wait, &exit_code, &started);
    benchmark::ClobberMemory();
  }
}

void BM_Checkpath(benchmark::State& state) {
  QuarnCheckpathRecord record;
  fill(record.cp_path, sizeof record.cp_path, scratch().path.string() + "/");
  record.cp_create_flag[0] = 'N';
  for (auto _ : state) {
    QUARN_CHECKPATH(&record);
    benchmark::ClobberMemory();
  }
  if (std::memcmp(record.cp_status, "00", 2) != 0) state.SkipWithError("not 00");
}

void BM_GetCurrentDir(benchmark::State& state) {
  QuarnCdFolder folder;
  std::int32_t length = 0;
  std::int32_t status = 0;
  for (auto _ : state) {
    QUARN_GET_CURRENT_DIR(&folder, &length, &status);
    benchmark::ClobberMemory();
  }
}

void BM_GetResourceString(benchmark::State& state) {
  QuarnRsResult result;
  QuarnRsFileName file;
  QuarnRsStringName name;
  fill(file.rs_file_name, sizeof file.rs_file_name, (scratch().path / "plain.dll").string());
  fill(name.rs_string_name, sizeof name.rs_string_name, "ProductVersion");
  for (auto _ : state) {
    benchmark::DoNotOptimize(QUARN_GETRESOURCESTRING(&result, &file, &name));
    benchmark::ClobberMemory();
  }
  if (std::memcmp(result.rs_result, "2.1.0.7 ", 8) != 0) state.SkipWithError("no value");
}

void BM_CheckDllReg(benchmark::State& state) {
  auto* area = static_cast<QuarnXMiscExternalWs*>(
      quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
  const std::string home = scratch().path.string() + "/";
  std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
  std::memcpy(area->xm_home_folder, home.data(), home.size());
  QuarnDrMissingName missing;
  std::int32_t result = -1;
  for (auto _ : state) {
    QUARN_CHECK_DLL_REG(&missing, &result);
    benchmark::ClobberMemory();
  }
  if (result != 0) state.SkipWithError("not all registered");
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnSeCommandLine) + 12>);
BENCHMARK_CAPTURE(BM_StartExe, true_waited, "true");
BENCHMARK_CAPTURE(BM_StartExe, missing_program, "/no/such/program");
BENCHMARK(BM_CopyRecord<sizeof(QuarnCheckpathRecord)>);
BENCHMARK(BM_Checkpath);
BENCHMARK(BM_CopyRecord<sizeof(QuarnCdFolder) + 8>);
BENCHMARK(BM_GetCurrentDir);
BENCHMARK(
    BM_CopyRecord<sizeof(QuarnRsResult) + sizeof(QuarnRsFileName) + sizeof(QuarnRsStringName)>);
BENCHMARK(BM_GetResourceString);
BENCHMARK(BM_CopyRecord<sizeof(QuarnDrMissingName) + 4>);
BENCHMARK(BM_CheckDllReg);
