// The one option scan of every `orvelk` command: getopt_long over a
// command's table, with the messages people expect when an option is
// unknown (the nearest one suggested) or lacks its value (the option named).
#pragma once

#include <getopt.h>

#include <cstdio>
#include <functional>
#include <vector>

// Takes one option the scan found, with its argument (null for an option
// without one): -1 when taken, else the exit status to end the command with
// (0 after --help), its message already printed.
using OptionTaker = std::function<int(int c, const char* arg)>;

// Scans `argv` (argv[0] is the command's name) with `table` (without the
// terminating entry; entries whose value is a printable character are also
// short options) and hands each option to `take`. Arguments that are not
// options are moved behind them, so afterwards argv[optind..argc) are the
// command's other arguments. An empty value of an option that names a file
// or folder (-o, --text-file, --record, --show-dialog, --show-preview,
// --save-actions, --app-folder) is refused as bad usage. Returns -1 to go
// on, else the exit status.
int ScanOptions(int argc, char** argv, const char* command, const std::vector<option>& table,
                const OptionTaker& take, FILE* err);

// Ends a scan for a command that takes no other arguments: -1 when none is
// left over, else kExitUsage with a message.
int FinishOptionScan(int argc, char* const* argv, const char* command, FILE* err);
