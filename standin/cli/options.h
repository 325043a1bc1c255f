// Small helpers that every `orvelk` command shares: exit statuses, messages
// on standard error, number parsing, whole-file reads, option scanning.
#pragma once

#include <getopt.h>

#include <cstdio>
#include <string>

// Exit statuses of the `orvelk` commands.
enum ExitStatus : int {
    kExitOk = 0,
    kExitDoesNotFit = 1,     // the text does not fit the symbol
    kExitUsage = 2,          // bad usage, or a text that cannot be converted
    kExitTableFile = 3,      // the symbol table file is missing or damaged
    kExitPluginFailure = 4,  // a module was skipped, a plug-in failed to start, or none was found
    kExitSomeFailed = 5,     // some lines or actions failed (each named); the others were written
    kExitCancelled = 6,      // the user cancelled the plug-in's dialog: nothing was placed
};

// Prints "orvelk COMMAND: MESSAGE" and a newline to `err`.
void PrintError(FILE* err, const char* command, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Parses the whole of `s` as a decimal integer from lo to hi.
bool ParseIntInRange(const char* s, long lo, long hi, long* value);

// Parses the whole of `s` as a finite decimal number from lo to hi.
bool ParseDoubleInRange(const char* s, double lo, double hi, double* value);

// Reads the whole file at `path` into `bytes`; on failure sets `error` to
// the system's reason.
bool ReadWholeFile(const char* path, std::string* bytes, std::string* error);

// Starts a fresh getopt_long scan (the commands may run more than once in one
// process) with getopt's own messages off.
void ResetOptionScan();

// Reports the option getopt_long could not take (returned '?' or ':').
void ReportBadOption(FILE* err, const char* command, char* const* argv);

// Ends an option scan: -1 when no argument is left over, else kExitUsage
// with a message.
int FinishOptionScan(int argc, char* const* argv, const char* command, FILE* err);
