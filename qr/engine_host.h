// What the engine needs of its host, and nothing more: the host application's
// folder (under which the table file lies) and the plug-in's mask setting.
// The plug-in shell defines both; so does any other program that links the
// engine (the stand-in's command line, the tests).
#pragma once

#include <cstdint>

// Size of the buffer FindAppFolder fills: as long as the host's path of its
// own executable.
inline constexpr int32_t kAppFolderSize = 300;

// Fills `folder` (kAppFolderSize bytes) with the host application's folder, a
// Windows path in code page 932 without a trailing backslash. Returns 0 or
// the host's error code.
int32_t FindAppFolder(char* folder);

// The plug-in's mask setting: 0 = automatic choice by penalty score, 1 to 8 =
// mask pattern 0 to 7.
int32_t EngineMaskSetting();
