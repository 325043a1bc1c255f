// The equality tools write bytes as they are: on Windows the standard
// streams are put in binary mode, so no CR goes before an LF.
#pragma once

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

inline void UseBinaryStandardStreams() {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}
