// Small helpers that every `orvelk` command shares: exit statuses, messages
// on standard error, number parsing, whole-file reads. The option scan is
// option_table.h.
#pragma once

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
    kExitNothingLeft = 7,    // nothing of the text is left after the mode's filter, or --strict
                             // refused a mode that drops or changes characters
    kExitWriteFailed = 8,    // the output (a file or standard output) could not be written
    kExitSettingsNotSaved = 9,  // place: all was written, but the plug-in's settings were not saved
};

// The format checks of the printf that this build's C runtime gives: on
// Windows MinGW's own, C99's, which the build asks for (%zu and all).
#if defined(_WIN32)
#define ORVELK_PRINTF_FORMAT gnu_printf
#else
#define ORVELK_PRINTF_FORMAT printf
#endif

// Prints "orvelk COMMAND: MESSAGE" and a newline to `err`.
void PrintError(FILE* err, const char* command, const char* format, ...)
    __attribute__((format(ORVELK_PRINTF_FORMAT, 3, 4)));

// Says "orvelk COMMAND: cannot write standard output: REASON" on `err` (just
// "orvelk:" when `command` is null), where `error` is the errno of the
// failure (0: not known, said without a reason), unless it was said for `stream` before: a command that meets the
// failure says it, and main's last flush of what is left does not say it
// again.
void ReportStandardOutputFailure(FILE* stream, FILE* err, const char* command, int error);

// Says on `err` that -o was given twice, `first` and then `second`, to a
// command that writes one file or pattern. Returns kExitUsage.
int RefuseSecondOutput(FILE* err, const char* command, const char* first, const char* second);

// Whether the -o file `path` is a terminal, which the binary format `format`
// ("PNG", "PDF") is not written to; then says so on `err`.
bool RefuseBinaryToTerminal(FILE* err, const char* command, const char* format,
                            const char* path);

// Parses the whole of `s` as a decimal integer from lo to hi.
bool ParseIntInRange(const char* s, long lo, long hi, long* value);

// Parses the whole of `s` as a finite decimal number from lo to hi.
bool ParseDoubleInRange(const char* s, double lo, double hi, double* value);

