#include "platform/sysout.hpp"

#include <cstdio>
#include <utility>

namespace quarn::platform {
namespace {

SysoutSink sink;

}  // namespace

void sysout(std::string_view line) {
  if (sink) {
    sink(line);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

SysoutSink set_sysout(SysoutSink replacement) {
  return std::exchange(sink, std::move(replacement));
}

}  // namespace quarn::platform
