// The one Windows USER call the plug-in makes: the system's beep, which the
// filter sounds when it cannot place its symbol.
#pragma once

#include "platform/win_types.h"

// On Windows, <windows.h> (through win_types.h) declares all of this.
#if !defined(_WIN32)

// MessageBeep sounds: the default one, the simple beep, and those of the
// message box icons.
#define MB_OK 0x00000000u
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_SIMPLEBEEP 0xFFFFFFFFu

// Plays the sound `type` names (MB_OK: the default beep) and returns at once.
// TRUE when the sound was handed on; here every type is.
ORVELK_PLATFORM_API BOOL MessageBeep(UINT type);

#endif  // !_WIN32
