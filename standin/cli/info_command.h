// `orvelk info`: loads and starts the plug-ins of the host application
// folder and lists them with their filters and action events.
#pragma once

#include <cstdio>

// Runs `orvelk info` with its arguments (argv[0] is "info"), writing the
// listing to `out` and messages to `err`. Returns the exit status.
int RunInfoCommand(int argc, char** argv, FILE* out, FILE* err);
