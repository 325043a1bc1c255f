// Opening and closing a plug-in module's code: dlopen on this machine,
// LoadLibraryA on Windows. The host's plug-in list (plugins.h) keeps the
// handle; nothing else of the system's loader reaches it.
#pragma once

#include <string>

#include "hostapi/sp_basic.h"

namespace standin {

// Opens the module at `path` (native) and resolves the exported function
// `entryName`. On success sets *module and *entry and returns true; else
// returns false with the reason in *why (the module is then closed again).
bool OpenModuleCode(const std::string& path, const std::string& entryName, void** module,
                    SPPluginMainProc* entry, std::string* why);

// Closes a handle OpenModuleCode gave; null is ignored.
void CloseModuleCode(void* module);

// Whether the module at `path` is still mapped into the process (after its
// last close a module that cannot be unloaded stays).
bool IsModuleCodeResident(const std::string& path);

}  // namespace standin
