// What a command asks of the host session it runs plug-ins in (the
// application folder, the scripted user's steps, the dialog it does not
// print), the application folder chosen for the length of the command, and
// the transcript printed as the command's. The options that fill the record
// are the commands' (standin/cli/host_options.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "standin/dialogs/user_script.h"
#include "standin/host/host_transcript.h"

struct HostCommandOptions {
    const char* appFolder = nullptr;       // --app-folder, or null for the default
    std::vector<standin::UserStep> steps;  // --user: what the scripted user does
    // A dialog whose showing is not printed (the one the command's options
    // drive, unless --verbose asks for it); 0 prints every dialog.
    int32_t quietDialog = 0;
};

// Chooses the application folder of --app-folder for the command and checks
// the folder in force, the environment's or the default one as much as
// --app-folder's (ChooseStandinAppFolder); false with a message on `err` when
// it cannot be used.
bool BeginHostCommand(const HostCommandOptions& o, const char* command, FILE* err);

// Gives up the folder that BeginHostCommand chose.
void EndHostCommand(const HostCommandOptions& o);

// Prints a transcript entry as "orvelk COMMAND: ..." on `err`, but not a
// dialog's closing; a beep also rings the terminal's bell when `err` is one.
void PrintTranscriptEntry(FILE* err, const char* command, const standin::TranscriptEntry& entry);
