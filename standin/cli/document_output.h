// What the commands that place symbols do with their documents: print the
// art tree (--dump) and export them (-o, with --crop, --dpi, --transparent),
// to one file or, for several documents, to the files of a pattern.
#pragma once

#include <cstdio>
#include <string>

#include "standin/export/export_document.h"
#include "standin/suites/document/documents.h"

// getopt_long values of the output options.
inline constexpr int kOptionDump = 0x210;
inline constexpr int kOptionCrop = 0x211;
inline constexpr int kOptionDpi = 0x212;
inline constexpr int kOptionTransparent = 0x213;

// The lines of --help for the options above (-o's own line is the command's).
extern const char kDocumentOutputUsage[];

struct DocumentOutputOptions {
    const char* output = nullptr;  // -o: a file, or a pattern with a run of '#'
    bool manyOutputs = false;      // -o may be given more than once (the last is kept here)
    bool dump = false;             // --dump: the art tree on standard output
    standin::ExportOptions exportOptions;
};

// Takes option `c` ('o' or one of the values above) with argument `arg`.
// Returns -2 when `c` is not one of them, -1 when it was taken, or the exit
// status of a bad value or of a second -o without manyOutputs (with a
// message on `err`).
int TakeDocumentOutputOption(int c, const char* arg, const char* command, DocumentOutputOptions* o,
                             FILE* err);

// Checks after the option scan that there is something to write (-o or
// --dump) and that -o names a format this build writes. Returns -1 to go on,
// else kExitUsage with a message.
int CheckDocumentOutput(const DocumentOutputOptions& o, const char* command, FILE* err);

// A file name whose run of '#' stands for a number: "label-####.svg" gives
// "label-0007.svg" for 7 and "label-12345.svg" for 12345.
struct OutputPattern {
    std::string head, tail;
    size_t width = 0;  // the run's length; 0 when the name has none
};

// The run of '#' in the file name part of `path` (the folders before it may
// hold '#' of their own). False, with the reason in `why`, when that part
// holds more than one run.
bool FindOutputPattern(const std::string& path, OutputPattern* pattern, std::string* why);

// The file of `number` in `pattern`; a name without a run of '#' is the
// same file for every number.
std::string PatternFileName(const OutputPattern& pattern, long number);

// The fewest pixels a module of a placed symbol needs in a PNG for the
// readers to find it at every version (zxing-cpp missed versions 25 and 40
// at 3.9 pixels and fewer, zbar none; bench/export_table.py measures it).
inline constexpr double kReadablePixelsPerModule = 5;

// A note when `path` is a PNG in which the modules of the symbol placed in
// `document` get fewer than kReadablePixelsPerModule pixels at `dpi`: how
// many, and the resolution that gives enough. Empty otherwise.
std::string PngModuleNote(const standin::Document& document, const std::string& path, double dpi);

// Prints `document`'s art tree on `out` when --dump was given, and exports it
// to `path` unless that is empty. False with the reason in `why` when the
// export fails.
bool EmitDocument(const standin::Document& document, const std::string& path,
                  const DocumentOutputOptions& o, FILE* out, std::string* why);
