// `orvelk replay`: plays the actions of an action set into documents through
// the plug-ins, as the host's Actions palette plays a set, and exports them.
#pragma once

#include <cstdio>

// Runs `orvelk replay` with its arguments (argv[0] is "replay"), writing the
// art dump to `out` and messages to `err`. Returns the exit status.
int RunReplayCommand(int argc, char** argv, FILE* out, FILE* err);
