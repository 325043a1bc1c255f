// The stand-in's Runtime and Blocks suites installed into the plug-in's state,
// for tests that run the plug-in's own code (FindAppFolder, blocks for its
// globals) against the stand-in's host side in one process.
#pragma once

#include "hostapi/sp_basic.h"

// Registers the stand-in's suites, puts its basic suite into the plug-in
// state and acquires through it the Blocks and Runtime suites into their
// pointers, after releasing what an earlier installation holds. Returns 0 or
// the first failed acquisition's error (that pointer stays null; the others
// are acquired all the same).
ASErr InstallStandinSuites();

// Releases what InstallStandinSuites acquired and nulls those pointers and the
// basic suite. Returns 0 or the first failed release's error.
ASErr UninstallStandinSuites();
