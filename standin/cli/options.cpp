#include "standin/cli/options.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "standin/files/replace_file.h"

void PrintError(FILE* err, const char* command, const char* format, ...) {
    std::fprintf(err, "orvelk %s: ", command);
    va_list args;
    va_start(args, format);
    std::vfprintf(err, format, args);
    va_end(args);
    std::fputc('\n', err);
}

void ReportStandardOutputFailure(FILE* stream, FILE* err, const char* command, int error) {
    static FILE* said = nullptr;
    if (stream == said) return;
    said = stream;
    // An error of 0 is a reason not known: the words go without one.
    const char* separator = error != 0 ? ": " : "";
    const char* reason = error != 0 ? std::strerror(error) : "";
    if (command == nullptr)
        std::fprintf(err, "orvelk: cannot write standard output%s%s\n", separator, reason);
    else
        PrintError(err, command, "cannot write standard output%s%s", separator, reason);
}

int RefuseSecondOutput(FILE* err, const char* command, const char* first, const char* second) {
    PrintError(err, command, "-o is given twice ('%s' and '%s'): give one file name", first,
               second);
    return kExitUsage;
}

bool RefuseBinaryToTerminal(FILE* err, const char* command, const char* format,
                            const char* path) {
    if (!standin::NamesTerminal(path)) return false;
    PrintError(err, command, "will not write %s to a terminal: -o '%s' is one; give a file",
               format, path);
    return true;
}

bool ParseIntInRange(const char* s, long lo, long hi, long* value) {
    if (s == nullptr || *s == '\0') return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    *value = v;
    return true;
}

bool ParseDoubleInRange(const char* s, double lo, double hi, double* value) {
    if (s == nullptr || *s == '\0') return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < lo || v > hi) return false;
    *value = v;
    return true;
}

