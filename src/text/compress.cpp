// COMPRESS: drops the leading spaces of a text and reduces every run of spaces to one.
#include <cstdint>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

std::int32_t compress(QuarnCompressRecord* passed) {
  auto& record = *passed;
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

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((COMPRESS), quarn::compress, 1, (record, QuarnCompressRecord));
