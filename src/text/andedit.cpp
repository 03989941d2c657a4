// ANDEDIT: doubles every "&" of a 128-character caption, so that a window that takes "&" as
// the mark of an access key shows the character itself.
#include <algorithm>
#include <array>
#include <cstdint>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::size_t kWidth = 128;

// The result is built here and copied back. Every call rewrites all of it: each of the 128
// input characters is written at least once.
struct Storage {
  std::array<char, kWidth> work;
};
Storage storage;

std::int32_t andedit(QuarnAndeditRecord* passed) {
  auto& record = *passed;
  const frame::Field text(record.ae_text);
  // Runs without "&" are copied whole; each "&" is written twice, and the second of a
  // pair that starts in the last position is lost.
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < kWidth && out < kWidth) {
    const auto amp = std::find(text.begin() + static_cast<std::ptrdiff_t>(in), text.end(), '&');
    const std::size_t run =
        std::min(static_cast<std::size_t>(amp - text.begin()) - in, kWidth - out);
    std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(in), run,
                storage.work.begin() + static_cast<std::ptrdiff_t>(out));
    in += run;
    out += run;
    if (in == kWidth || out == kWidth) break;
    storage.work[out++] = '&';
    if (out < kWidth) storage.work[out++] = '&';
    ++in;
  }
  std::copy(storage.work.begin(), storage.work.end(), text.begin());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((ANDEDIT), quarn::andedit, 1, (record, QuarnAndeditRecord));
