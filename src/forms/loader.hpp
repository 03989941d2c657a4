// Which runtime a form opens in. The desktop runtime (libquarn-m-qt.so) is loaded the first
// time a form opens, when QUARN_FORMS says "qt" or, without QUARN_FORMS, when a display is
// there (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM set) and no form script is given
// (QUARN_FORMS_SCRIPT). Once loaded it is the runtime in force for the process, so the
// messages of program control and document output show in it as well.
#pragma once

#include <string_view>

#include "forms/runtime.hpp"

namespace quarn::forms {

// The runtime for a form about to open: the one installed, else the choice above.
Runtime& form_runtime();

// The hook told when a form is first shown, in the runtime in force now and in the one
// forms will open in (see Runtime::set_shown_hook).
void set_shown_hook(ShownHook hook, void* context);

// The file name of the desktop runtime (beside the library, or in its folder "quarn-m"
// in an installed tree) and the C function it exports to hand out its
// runtime object (a quarn::forms::Runtime*; it keeps it for the life of the process).
inline constexpr std::string_view kQtLibrary = "libquarn-m-qt.so";
inline constexpr const char* kQtEntry = "quarn_forms_qt_runtime";

}  // namespace quarn::forms
