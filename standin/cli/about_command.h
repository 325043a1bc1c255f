// `orvelk about`: shows the About box of each plug-in, as the host's About
// menu does, and prints its texts.
#pragma once

#include <cstdio>

// Runs `orvelk about` with its arguments (argv[0] is "about"), writing the
// About boxes' texts to `out` and messages to `err`. Returns the exit status.
int RunAboutCommand(int argc, char** argv, FILE* out, FILE* err);
