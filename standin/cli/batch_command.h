// `orvelk batch`: one symbol per line of a text file, each placed by the
// plug-in's action into a document of its own and exported to a file named
// by the line's number.
#pragma once

#include <cstdio>

// Runs `orvelk batch` with its arguments (argv[0] is "batch"), writing the
// art dumps to `out` and messages to `err`. Returns the exit status.
int RunBatchCommand(int argc, char** argv, FILE* out, FILE* err);
