// The suites the stand-in serves so far (Runtime and Blocks, with the basic
// suite of suite_registry.h), and their installation into the plug-in's
// module state for commands that link the plug-in's code into the stand-in
// itself, such as `orvelk encode`: the code then finds its folder and its
// table file exactly as inside the host.
#pragma once

#include "hostapi/ai_runtime.h"
#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"

// The stand-in's "AI Runtime Suite": the executable's path of
// StandinAppFileSpecification.
const AIRuntimeSuite* StandinRuntimeSuite();

// The stand-in's "SP Blocks Suite": blocks from the C heap.
const SPBlocksSuite* StandinBlocksSuite();

// Registers the suites above with the registry. Repeating it does no harm.
void RegisterStandinSuites();

// Registers the suites, puts the stand-in's basic suite into the module state
// and acquires through it the suites it serves into their module-state
// pointers, after releasing what an earlier installation holds. Returns 0
// or the first failed acquisition's error (that pointer stays null; the
// others are acquired all the same).
ASErr InstallStandinSuites();

// Releases what InstallStandinSuites acquired and nulls those pointers and the
// basic suite. Returns 0 or the first failed release's error.
ASErr UninstallStandinSuites();
