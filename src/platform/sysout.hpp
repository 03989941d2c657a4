// The display device the system helpers report to when they have no record to answer in.
// It writes one line on standard error until someone (a form runtime, a test) takes it over.
#pragma once

#include <functional>
#include <string_view>

namespace quarn::platform {

using SysoutSink = std::function<void(std::string_view line)>;

// Shows one line of text.
void sysout(std::string_view line);
// Installs a sink (an empty one restores standard error); returns the previous one.
SysoutSink set_sysout(SysoutSink sink);

}  // namespace quarn::platform
