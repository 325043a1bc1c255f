// The host application's folder, under which the plug-in's "Prefs" folder
// lies. It is derived from the path of the host's own executable, which the
// host's Runtime suite reports, by the rule of app_folder_rule.h.
#pragma once

#include <cstdint>

#include "prefs/app_folder_rule.h"
#include "qr/engine_host.h"

// Fills `folder` (kAppFolderSize bytes, the size of the host's file paths)
// with the host application's folder, a Windows path in code page 932
// without a trailing backslash: the executable's path cut by
// CutAtAppFolderPattern. Returns 0; the Runtime suite's error unchanged
// (`folder` is then empty); or "S!Fd" when the Runtime suite is not acquired.
// The plug-in's engine host looks its folder up through this.
int32_t FindAppFolder(char* folder);
