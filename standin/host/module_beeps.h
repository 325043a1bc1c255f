// The beeps of loaded modules on Windows. There MessageBeep is user32's own,
// so the host points each module's import of it at a function of its own,
// which counts the beep and tells the listener of beep_monitor.h (as this
// machine's platform library does), then sounds the system's beep.
#pragma once

#include "platform/win_user.h"

#if defined(_WIN32)

namespace standin {

// What a module's import of MessageBeep is pointed at: counts, tells the
// listener, then returns what user32's MessageBeep returns.
BOOL WINAPI HeardMessageBeep(UINT type);

// Points the import of user32's MessageBeep in the loaded module `module`
// at HeardMessageBeep. True when the module imports it, false when it does
// not (nothing to do). Entries outside the module's image are left alone.
bool HookMessageBeepImport(HMODULE module);

}  // namespace standin

#endif  // _WIN32
