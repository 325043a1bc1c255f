// The thread's last Windows error code, and errno translated into it.
#pragma once

#include "platform/win_types.h"

// Sets the last error from errno and returns it.
DWORD SetLastErrorFromErrno(int error);
