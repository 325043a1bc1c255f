// The engine's host for the engine's own tests: an application folder and a
// mask setting that each test sets.
#pragma once

#include <cstdint>
#include <string>

// Makes FindAppFolder report the native folder `nativeDir` (as a Windows
// path), or fail with `error` when it is not 0.
void SetFakeAppFolder(const std::string& nativeDir, int32_t error = 0);

// Sets what EngineMaskSetting returns.
void SetFakeMaskSetting(int32_t setting);
