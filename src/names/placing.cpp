#include "names/placing.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quarn::names {

std::size_t split_pieces(std::string_view line, std::span<std::string_view> pieces) {
  std::ranges::fill(pieces, line.substr(line.size()));
  if (pieces.empty()) return static_cast<std::size_t>(std::ranges::count(line, kSlash));
  const char* const stop = line.data() + line.size();
  const char* start = line.data();
  std::size_t piece = 0;
  while (piece + 1 < pieces.size()) {
    const auto* at = static_cast<const char*>(
        std::memchr(start, kSlash, static_cast<std::size_t>(stop - start)));
    if (at == nullptr) break;
    pieces[piece++] = {start, static_cast<std::size_t>(at - start)};
    start = at + 1;
  }
  pieces[piece] = {start, static_cast<std::size_t>(stop - start)};
  // The "/" within the last piece, added up in a 16-bit total (a keyed line is far shorter
  // than 65,536): the compiler counts a block at a time in 16-bit lanes, where std::count's
  // 64-bit total takes it several times as many steps.
  std::uint16_t further = 0;
  for (const char* at = start; at < stop; ++at)
    further += *at == kSlash;
  return piece + further;
}

}  // namespace quarn::names
