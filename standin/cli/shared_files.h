// Whether two files of one command line are the same file: two outputs that
// are would leave only the last one written, and an output that is the
// input would replace what the run reads, so both are refused before the
// run begins.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "standin/cli/document_output.h"

// A file that a command reads or writes, as its command line names it.
struct NamedFile {
    const char* option;  // how the message names it: "-o", "--record", "TEXTS"
    const char* path;    // null when not given; "-" for standard input or output
    bool written;        // an output; an input is only read
};

// The files of an output pattern for the numbers 1 to `count`.
struct PatternFiles {
    const char* given;  // the pattern as the command line gives it
    const OutputPattern* pattern;
    size_t count;
};

// Refuses two outputs, or an output and an input, among `files` (and the
// files of `pattern`, when not null) that name the same file: says which on
// `err` and returns kExitUsage; -1 when each output has a file of its own.
// Existing files are the same when they are one file (by device and inode,
// so through links and hard links too); new names when their resolved
// folders and their names are the same. What is not a regular file (a
// device, a named pipe) is written into rather than replaced, and is never
// refused. Two inputs may be one file.
int RefuseSharedFiles(const std::vector<NamedFile>& files, const char* command, FILE* err,
                      const PatternFiles* pattern = nullptr);
