// The current local date and time, from the system clock or, in tests, from a fixed value.
#pragma once

#include <functional>

namespace quarn::platform {

struct LocalTime {
  int year;    // four digits
  int month;   // 1-12
  int day;     // 1-31
  int hour;    // 0-23
  int minute;  // 0-59
  int second;  // 0-60
};

// The local date and time now.
LocalTime local_now();

using ClockSource = std::function<LocalTime()>;
// Installs a source of the time (an empty one restores the system clock); returns the
// previous one.
ClockSource set_clock(ClockSource source);

}  // namespace quarn::platform
