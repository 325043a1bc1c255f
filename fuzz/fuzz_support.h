// What the fuzz targets share: a private folder per process, an engine host
// over a folder of this machine, and the checks every symbol must pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "qr/symbol_encoder.h"

// A folder of this process's own under the temporary folder, created at the
// first call, with a trailing slash.
const std::string& FuzzFolder();

// Writes `size` bytes to `path`, replacing the file; aborts when it cannot,
// since a target that cannot set up its input finds nothing.
void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size);

// Installs an engine host whose application folder is the native `folder`
// and whose mask setting is *mask.
void InstallFuzzEngineHost(const std::string& folder, const int32_t* mask);

// Aborts unless `symbol` is a well-formed symbol of `version` (0: any) at
// `levelChar`: its side 4 x version + 17, only 0 and 1 in its modules, the
// three finder patterns and both timing patterns, the dark module, and a
// first format copy that is a codeword of the format code for the level and
// a mask - the mask of `maskSetting` (1 to 8) when that is fixed.
void CheckSymbol(const ModuleMatrix& symbol, int32_t version, char levelChar, int32_t maskSetting);

// Aborts with `what` when `condition` fails, in release builds too.
#define FUZZ_CHECK(condition, what)                                                    \
    do {                                                                               \
        if (!(condition)) FuzzCheckFailed(__FILE__, __LINE__, #condition, what);       \
    } while (0)
[[noreturn]] void FuzzCheckFailed(const char* file, int line, const char* condition,
                                  const char* what);
