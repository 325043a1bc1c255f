// Who hears MessageBeep on this machine: the host stand-in, which tells its
// user, and tests, which count. Not a Windows call; the plug-in never
// includes this header.
#pragma once

#include <functional>

#include "platform/win_user.h"

// On Windows the host stand-in itself implements these (it points each
// module's import of user32's MessageBeep at a function of its own).
#if defined(_WIN32) && !defined(ORVELK_PLATFORM_CXX_API)
#define ORVELK_PLATFORM_CXX_API
#endif

// Hands every MessageBeep from now on, with its type, to `listener`; an
// empty function leaves the beeps unheard.
ORVELK_PLATFORM_CXX_API void SetBeepListener(std::function<void(UINT type)> listener);

// The beeps since the process started or the count was last reset.
ORVELK_PLATFORM_CXX_API unsigned BeepCount();
ORVELK_PLATFORM_CXX_API void ResetBeepCount();
