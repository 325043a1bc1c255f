// `orvelk place`: what a user does from the filter menu, with the dialog
// driven by the options, and the document exported.
#pragma once

#include <cstdio>

// Runs `orvelk place` with its arguments (argv[0] is "place"). Returns the
// exit status.
int RunPlaceCommand(int argc, char** argv, FILE* out, FILE* err);
