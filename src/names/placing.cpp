#include "names/placing.hpp"

#include <algorithm>
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
  return piece + static_cast<std::size_t>(std::count(start, stop, kSlash));
}

}  // namespace quarn::names
