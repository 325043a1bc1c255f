// The preferences targets' host: a Runtime suite whose executable lies under
// a folder of the fuzzing process's own, and the globals the plug-in loads
// into and saves from.
#pragma once

#include <string>

#include "globals/plugin_globals.h"

class FuzzedDataProvider;

// Installs the Runtime suite and `globals` in the plug-in's state; the
// application folder is FuzzFolder() + "app", its Prefs folder created.
void InstallPrefsHost(PluginGlobals* globals);

// The native path of the preferences file.
std::string PrefsFilePath();

// Aborts unless every setting of `globals` is within its range and its text
// ends within its field.
void CheckGlobalsInRange(const PluginGlobals& globals);

// Sets `globals` to the defaults, then takes a level, version, mode and
// module size in their ranges from `input`.
void ConsumeSettings(FuzzedDataProvider& input, PluginGlobals* globals);
