// How Windows paths of the plug-in map to this machine's files, and back.
//
// A Windows path is code page 932 bytes. Its drive ("C:") is dropped and every
// backslash becomes a slash, so "C:\Apps\Host\Prefs\Orvelk.ini" is the file
// /Apps/Host/Prefs/Orvelk.ini; the bytes are converted to UTF-8 first, so a
// 0x5C that is the second byte of a Kanji character is not a separator. The
// reverse mapping gives the host stand-in a Windows-style path to report.
#pragma once

#include <cstddef>

#include "platform/win_files.h"

#if defined(_WIN32)
#include <cstring>

// On Windows a native path is a Windows path: both mappings copy it, with
// forward slashes (which Windows also takes) written as backslashes.
inline DWORD CopyAsWindowsPath(const char* path, char* out, size_t outSize) {
    const size_t length = std::strlen(path);
    if (length >= outSize || length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    for (size_t i = 0; i <= length; ++i) out[i] = path[i] == '/' ? '\\' : path[i];
    return ERROR_SUCCESS;
}
inline DWORD WindowsPathToNative(LPCSTR windowsPath, char* out, size_t outSize) {
    return CopyAsWindowsPath(windowsPath, out, outSize);
}
inline DWORD NativePathToWindows(const char* nativePath, char* out, size_t outSize) {
    return CopyAsWindowsPath(nativePath, out, outSize);
}
#else

// Maps a Windows path (at most MAX_PATH - 1 bytes) to a native path in `out`
// (`outSize` bytes). Returns ERROR_SUCCESS, ERROR_FILENAME_EXCED_RANGE for a
// path that is too long for either side, or ERROR_INVALID_NAME for bytes that
// are not code page 932.
ORVELK_PLATFORM_API DWORD WindowsPathToNative(LPCSTR windowsPath, char* out, size_t outSize);

// Maps a native absolute path (UTF-8) to a Windows path "C:\..." in code page
// 932. Same returns; ERROR_INVALID_NAME also for a name without a code page
// 932 form.
ORVELK_PLATFORM_API DWORD NativePathToWindows(const char* nativePath, char* out, size_t outSize);

#endif  // !_WIN32
