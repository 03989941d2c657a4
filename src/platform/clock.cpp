#include "platform/clock.hpp"

#include <chrono>
#include <ctime>
#include <utility>

namespace quarn::platform {
namespace {

ClockSource& source() {
  static ClockSource installed;
  return installed;
}

LocalTime system_now() {
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

LocalTime local_now() {
  return source() ? source()() : system_now();
}

ClockSource set_clock(ClockSource replacement) {
  return std::exchange(source(), std::move(replacement));
}

}  // namespace quarn::platform
