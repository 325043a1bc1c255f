// `orvelk encode`: runs the plug-in's symbol engine on a text from the
// command line and prints what it made.
#pragma once

#include <cstdio>

// Runs `orvelk encode` with its arguments (argv[0] is "encode"), writing the
// result to `out` and messages to `err`. Returns the exit status.
int RunEncodeCommand(int argc, char** argv, FILE* out, FILE* err);
