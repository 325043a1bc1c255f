// `orvelk info`: loads and starts the plug-ins of the host application
// folder and lists them with their filters and action events.
#pragma once

#include <cstdio>

// Exit status of the host commands when a module was skipped, a plug-in
// failed to start, or no plug-in was found at all.
inline constexpr int kExitPluginFailure = 4;

// Runs `orvelk info` with its arguments (argv[0] is "info"), writing the
// listing to `out` and messages to `err`. Returns the exit status.
int RunInfoCommand(int argc, char** argv, FILE* out, FILE* err);
