// The life-cycle handlers of the plug-in: startup and shutdown ("SP
// Interface"), and unload and reload of the module ("SP Access").
#pragma once

#include "hostapi/sp_basic.h"

// Block name of the globals record in the host's block suite.
inline constexpr char kGlobalsBlockName[] = "globals";

// "Startup": allocates the globals record through the block suite, sets its
// defaults, installs the engine host that reads them, loads the preferences
// file over them (its result is dropped), adds the filter and registers the
// action event. Returns the allocation's error, "S!Fd" without the block
// suite, -108 when the host gives no block, the filter's error (the action is
// then not registered), or the host's result of the action registration. An
// action that could not be registered at all (kQRActionNotRegistered) is
// reported to the user, and startup returns 0: the filter works without it.
ASErr HandleStartup(SPMessageData* message);

// "Shutdown": acquires the block suite once more on its own, and with it frees
// the globals record, nulls the plug-in's pointer and removes the engine
// host; nulls the message's globals pointer in any case. Returns the
// acquisition's result.
ASErr HandleShutdown(SPMessageData* message);

// "Unload": hands the globals record to the host in the message and removes
// the engine host. Returns 0.
ASErr HandleUnload(SPMessageData* message);

// "Reload": takes the globals record back from the message, installs the
// engine host that reads it, and sets the acquisition depth to 0. Returns 0.
ASErr HandleReload(SPMessageData* message);
