// The command line of the commands that place symbols (`orvelk place`,
// `orvelk replay`, `orvelk batch`): their own options, the output options of
// document_output.h, the host options of host_options.h and --help, then one
// argument (the file they read), or none.
#pragma once

#include <getopt.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "standin/cli/document_output.h"
#include "standin/cli/host_options.h"

struct PlacingCommand {
    const char* name;             // "batch"
    const char* usageHead;        // --help before the output and host options
    const char* exitStatusUsage;  // --help after them
    const char* missingArgument;  // the message when the argument is missing; null: none taken
    bool needsOutput = true;      // -o or --dump must be given
    const char* settingsUsage = nullptr;  // --help after usageHead, when not null
};

// Takes one of a command's own options with its argument: -2 when `c` is not
// one of them, -1 when it was taken, else the exit status of a bad value.
using OwnOptionTaker = std::function<int(int c, const char* arg)>;

// Scans `argv` for `command`: its own long options `own` (each taken by
// `takeOwn`), the shared ones, and exactly one argument into *argument (no
// argument when the command takes none); then checks that there is
// something to write (when the command needs -o or --dump) and that -o
// names a format. Returns -1 to go on, else the exit
// status (0 after --help), with a message on `err`.
int ScanPlacingCommand(int argc, char** argv, const PlacingCommand& command,
                       std::vector<option> own, const OwnOptionTaker& takeOwn,
                       DocumentOutputOptions* output, HostCommandOptions* host,
                       const char** argument, FILE* out, FILE* err);
