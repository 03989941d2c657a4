// POP writing a 100,000-line report (plain lines with tabs and font changes, and table
// rows), next to writing the same bytes, record by record, through one buffered stream.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "quarn/quarn-m.h"
#include "record_copy.hpp"

namespace {

constexpr int kLines = 100'000;
// The size of the batches POP writes its print file in.
constexpr std::size_t kPopBatchSize = 64 * 1024;

struct Home {
  Home() {
    char pattern[] = "/tmp/quarn-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    folder = std::string(pattern) + "/";
    auto* area = static_cast<QuarnXMiscExternalWs*>(
        quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs)));
    std::memset(area, ' ', sizeof *area);
    std::memset(area->xm_home_folder, 0, sizeof area->xm_home_folder);
    std::memcpy(area->xm_home_folder, folder.data(), folder.size());
  }
  std::string folder;
};

Home& home() {
  static Home h;
  return h;
}

void put(char* field, std::size_t width, const std::string& text) {
  std::memset(field, ' ', width);
  std::memcpy(field, text.data(), std::min(width, text.size()));
}
#define PUT(field, text) put(field, sizeof field, text)

// One whole report; returns the print file's name.
std::string write_report() {
  QuarnPopRecord rec;
  QuarnPopCaller caller;
  std::memset(&rec, ' ', sizeof rec);
  std::memset(&caller, ' ', sizeof caller);
  PUT(caller.pop_program_name, "BENCH");
  PUT(caller.pop_report_title, "BENCHMARK REPORT");
  QuarnCallerForm* form = quarn_runtime_form();
  const auto request = [&](const char* code) {
    std::memcpy(rec.pop_request, code, 3);
    QUARN_POP(&rec, &caller, form);
  };
  request("INI");
  const std::string plain_layout = std::string("\x15") + "0200L     \x15" + "0500R     \x03";
  const std::string cells = std::string("\x16") + "02001111      \x16" + "05001111      \x03";
  PUT(rec.pop_row_layout, cells);
  PUT(rec.pop_header_row_layout, cells);
  PUT(rec.pop_header_row_text, "Account\tBalance\x03");
  // The lines are made before the report, so that the run measures POP alone.
  static const std::vector<std::string> texts = [] {
    const std::string bold = std::string("\x14") + "112B      ";
    const std::string body = std::string("\x14") + "110       ";
    std::vector<std::string> made;
    for (int i = 0; i < 1000; ++i) {
      const std::string n = std::to_string(i);
      std::string text =
          i % 2 == 0 ? bold + "Line " + n + body + "\tPayee name {" + n + "}\t" + n + ".00\x03"
                     : "Account-" + n + "\t" + n + ".50\x03";
      text.resize(sizeof(QuarnPopRecord::pop_line_text), ' ');
      made.push_back(std::move(text));
    }
    return made;
  }();
  PUT(rec.pop_line_layout, plain_layout);
  for (int i = 0; i < kLines; ++i) {
    rec.pop_line_mode[0] = i % 2 == 0 ? ' ' : 'C';
    std::memcpy(rec.pop_line_text, texts[static_cast<std::size_t>(i % 1000)].data(),
                sizeof rec.pop_line_text);
    request("WRI");
  }
  request("CLS");
  return std::string(rec.pop_print_file_name, strnlen(rec.pop_print_file_name, 100));
}

std::string trim(std::string s) {
  while (!s.empty() && s.back() == ' ')
    s.pop_back();
  return s;
}

void BM_PopReport(benchmark::State& state) {
  home();
  for (auto _ : state)
    benchmark::DoNotOptimize(write_report());
  state.SetItemsProcessed(state.iterations() * kLines);
}

// The same document's records written with one buffered stream whose buffer is as large as
// the batches POP hands to the file (64 KiB), so that both make the same number of writes:
// with the C library's default 4 KiB buffer the stream would make 16 times as many, work
// that is not the bytes' own. Like POP, which deletes a print file and makes it anew for
// each document, it writes a new file each time: a file truncated and written again would
// have the file system start writing it back at the close, work that POP does not ask for.
void BM_BufferedStream(benchmark::State& state) {
  const std::string name = trim(write_report());
  std::vector<std::string> records;
  {
    std::FILE* in = std::fopen(name.c_str(), "rb");
    std::string all;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
      all.append(buffer, n);
    std::fclose(in);
    for (std::size_t at = 0; at < all.size();) {
      const std::size_t end = all.find("\r\n", at);
      const std::size_t stop = end == std::string::npos ? all.size() : end + 2;
      records.push_back(all.substr(at, stop - at));
      at = stop;
    }
  }
  const std::string copy = home().folder + "STREAM.rtf";
  for (auto _ : state) {
    std::remove(copy.c_str());
    std::FILE* out = std::fopen(copy.c_str(), "wb");
    std::setvbuf(out, nullptr, _IOFBF, kPopBatchSize);
    for (const std::string& record : records)
      std::fwrite(record.data(), 1, record.size(), out);
    std::fclose(out);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

}  // namespace

BENCHMARK(BM_CopyRecord<sizeof(QuarnPopRecord)>);
BENCHMARK(BM_PopReport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BufferedStream)->Unit(benchmark::kMillisecond);
