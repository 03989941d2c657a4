// COMPRESS: drops the leading spaces of a text and reduces every run of spaces to one.
#include <cstdint>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

std::int32_t compress(void* const* params) {
  auto& record = *static_cast<QuarnCompressRecord*>(params[0]);
  const frame::Field text(record.cp_text);
  // Rebuilt in place: the write position never passes the read position.
  std::size_t out = 0;
  bool space_due = false;
  for (const char c : text) {
    if (c == ' ') {
      space_due = out > 0;
      continue;
    }
    if (space_due) text[out++] = ' ';
    text[out++] = c;
    space_due = false;
  }
  frame::clear(text.subspan(out));
  return 0;
}

frame::Program program({"COMPRESS", 1, 1, {sizeof(QuarnCompressRecord)}, &compress});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_COMPRESS(QuarnCompressRecord* record) {
  return quarn::program.enter_exported({record});
}
QUARN_EXPORT_AS(QUARN_COMPRESS, "COMPRESS", quarn_compress_cobol);
