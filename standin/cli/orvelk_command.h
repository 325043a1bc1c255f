// The `orvelk` command line: the stand-in host's commands.
#pragma once

#include <cstdio>

// Runs `orvelk` with its arguments, writing output to `out` and messages to
// `err`. Returns the exit status.
int RunOrvelk(int argc, char** argv, FILE* out, FILE* err);
