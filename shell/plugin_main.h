// The plug-in's one export: the entry point through which the host sends
// every message.
#pragma once

#include "hostapi/sp_basic.h"

#if defined(_WIN32)
#define ORVELK_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define ORVELK_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Handles one message of the host. "SP Access" messages (Unload, Reload) run
// without suites. Every other message holds the suite table's suites around
// its handler (only the outermost of nested messages acquires and releases
// them), and a failing result other than 1 and "S!Fd" goes through the error
// reporter first. Returns the handler's result, or the acquisition's error;
// "Parm" for a message without its record or basic suite.
ORVELK_PLUGIN_EXPORT ASErr HOST_CALL PluginMain(const char* caller, const char* selector,
                                                void* message);
