// The options that every command running plug-ins in a host session shares,
// --app-folder and --user, which fill the session's HostCommandOptions
// (standin/app/host_command.h), and the scripted user's account at the end.
#pragma once

#include <getopt.h>

#include <cstdio>
#include <vector>

#include "standin/app/host_command.h"

// getopt_long values of the shared options.
inline constexpr int kOptionAppFolder = 0x200;
inline constexpr int kOptionUser = 0x201;

// The option table: `own` followed by --app-folder, --user and --help.
std::vector<option> WithHostOptions(std::vector<option> own);

// Takes option `c` with argument `arg` when it is one of the shared options.
// Returns -2 when `c` is not one of them, -1 when it was taken, or the exit
// status of a bad value (with a message on `err`).
int TakeHostOption(int c, const char* arg, const char* command, HostCommandOptions* o, FILE* err);

// After the session that ran --user's script: names the steps that could not
// be carried out and those left over. Returns kExitOk when there were none,
// else kExitSomeFailed.
int FinishUserScript(const HostCommandOptions& o, const char* command, FILE* err);

// `status`, or `script`'s failure when `status` is success.
inline int WithScriptStatus(int status, int script) { return status == 0 ? script : status; }
