// The host application's folder, under which the plug-in's "Prefs" folder
// lies. It is derived from the path of the host's own executable, which the
// host's Runtime suite reports.
#pragma once

#include <cstdint>

#include "hostapi/ai_runtime.h"

// Bytes of the buffer FindAppFolder fills: the size of the host's file paths.
inline constexpr int32_t kAppFolderBufferSize = kFileSpecificationSize;

// Fills `folder` (kAppFolderBufferSize bytes) with the host application's
// folder, a Windows path in code page 932 without a trailing backslash: the
// executable's path cut by CutAtAppFolderPattern. Returns 0; the Runtime
// suite's error unchanged (`folder` is then empty); or "S!Fd" when the Runtime
// suite is not acquired.
int32_t FindAppFolder(char* folder);

// Ends the NUL-terminated Windows path `path` at the first of the folder
// patterns "\SYSTEM\", "\System\", "\SUPPORT FILES\", "\Support Files\",
// "\support files\", "\ILLUSTRATOR.EXE", "\Illustrator.exe" that it holds, tried
// in that order, each case-sensitively and from the left, at its backslash.
// A path without any of them stays whole. A 0x5C byte that is the second byte
// of a two-byte character is no backslash. Returns whether it cut the path.
bool CutAtAppFolderPattern(char* path);
