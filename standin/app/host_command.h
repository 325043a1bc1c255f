// What the commands that run plug-ins in a host session share: the options
// --app-folder and --user, and the application folder they choose for the
// length of the command.
#pragma once

#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "standin/dialogs/user_script.h"
#include "standin/host/host_transcript.h"

// getopt_long values of the shared options.
inline constexpr int kOptionAppFolder = 0x200;
inline constexpr int kOptionUser = 0x201;

struct HostCommandOptions {
    const char* appFolder = nullptr;       // --app-folder, or null for the default
    std::vector<standin::UserStep> steps;  // --user: what the scripted user does
    // A dialog whose showing is not printed (the one the command's options
    // drive, unless --verbose asks for it); 0 prints every dialog.
    int32_t quietDialog = 0;
};

// The option table: `own` followed by --app-folder, --user and --help.
std::vector<option> WithHostOptions(std::vector<option> own);

// Takes option `c` with argument `arg` when it is one of the shared options.
// Returns -2 when `c` is not one of them, -1 when it was taken, or the exit
// status of a bad value (with a message on `err`).
int TakeHostOption(int c, const char* arg, const char* command, HostCommandOptions* o, FILE* err);

// Chooses the application folder of --app-folder for the command and checks
// the folder in force, the environment's or the default one as much as
// --app-folder's (ChooseStandinAppFolder); false with a message on `err` when
// it cannot be used.
bool BeginHostCommand(const HostCommandOptions& o, const char* command, FILE* err);

// After the session that ran --user's script: names the steps that could not
// be carried out and those left over. Returns kExitOk when there were none,
// else kExitSomeFailed.
int FinishUserScript(const HostCommandOptions& o, const char* command, FILE* err);

// `status`, or `script`'s failure when `status` is success.
inline int WithScriptStatus(int status, int script) { return status == 0 ? script : status; }

// Gives up the folder that BeginHostCommand chose.
void EndHostCommand(const HostCommandOptions& o);

// Prints a transcript entry as "orvelk COMMAND: ..." on `err`, but not a
// dialog's closing; a beep also rings the terminal's bell when `err` is one.
void PrintTranscriptEntry(FILE* err, const char* command, const standin::TranscriptEntry& entry);
