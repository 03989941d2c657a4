// A program that does nothing, declared as every program of the library is, for the
// frame's benchmark: its time is the frame's alone (the first-call and active indicators,
// the count of records the caller passed, the observer check). It lives in a small shared
// library of its own, built from the frame's sources, so that it is called through an
// exported symbol as the library's programs are, and the library exports no extra program.
#include <cstdint>

#include "frame/declare.hpp"
#include "frame/program.hpp"

extern "C" QUARN_API std::int32_t QUARN_BENCH_EMPTY(const char* record);
// The same call without the frame: an exported function that does nothing, the yardstick
// that shows what of the empty program's time is the call itself.
extern "C" QUARN_API std::int32_t quarn_bench_no_frame(const char* record);

namespace quarn {
namespace {

std::int32_t bench_empty(const char*) {
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((BENCH, EMPTY), quarn::bench_empty, 0, (record, const char));

extern "C" std::int32_t quarn_bench_no_frame(const char*) {
  return 0;
}
