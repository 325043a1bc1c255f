// The engine's host for the engine's own tests: an application folder and a
// mask setting that each test sets. Setting either installs the host.
#pragma once

#include <cstdint>
#include <string>

// The fake host's folder lookup: the folder set last, or its error.
int32_t FindFakeAppFolder(char* folder);

// Installs the fake host with the folder and mask setting set last.
void InstallFakeEngineHost();

// Makes the host's folder lookup report the native folder `nativeDir` (as a
// Windows path), or fail with `error` when it is not 0.
void SetFakeAppFolder(const std::string& nativeDir, int32_t error = 0);

// Changes the folder the installed host's lookup reports, as a host whose
// folder moved would, without installing the host again.
void ChangeFakeAppFolder(const std::string& nativeDir);

// Sets the mask setting the engine reads.
void SetFakeMaskSetting(int32_t setting);

// The table file's path under the installed host's folder, as the engine's
// door forms it for the table store; empty when the host gives no folder.
std::string HostTableFilePath();
