// The symbol table file ORVK_QR.DAT: a text directory of named sections in
// its first 8192 bytes, each section an LZSS stream (lzss_decode.h).
//
// Directory lines end with CR or LF. An entry is a line of at least 19
// characters with colons at positions 8 and 17: 8 hex digits of offset, ':',
// 8 hex digits of compressed size, ':', the section name.
#pragma once

#include <cstdint>

#include "qr/engine_host.h"
#include "qr/symbol_encoder.h"

// The table file's place under the host application's folder, a Windows path
// in code page 932. Whoever lays the file out or looks for it uses this one.
inline constexpr char kTableFileSubpath[] = "\\Prefs\\Orvelk\\ORVK_QR.DAT";
inline constexpr int32_t kTableFileSubpathLength = sizeof kTableFileSubpath - 1;
// Longest full path of the table file the reader opens, in bytes without the
// NUL, and so the longest folder it can lie under.
inline constexpr int32_t kTableFilePathMaxLength = 255;
inline constexpr int32_t kTableFileMaxFolderLength =
    kTableFilePathMaxLength - kTableFileSubpathLength;
// The buffer of the full path: any folder the host's lookup can give, and
// the subpath, so that building the path never overflows it.
inline constexpr int32_t kTableFilePathSize = kAppFolderSize + kTableFileSubpathLength;
// How much of the file the directory may take.
inline constexpr int32_t kTableDirectorySize = 8192;

// Results of ReadTableSection: one meaning each, none shared with a result of
// EncodeQRSymbol but kQROutOfMemory, which means the same in both.
enum TableReadResult : int32_t {
    kTableRead = 0,              // the file was read, whether or not the section was there
    kTableNoAppFolder = -20,     // no engine host, or its folder lookup failed
    kTablePathTooLong = -21,     // folder and subpath exceed kTableFilePathMaxLength
    kTableFileCannotOpen = -22,  // no file at the path, or it cannot be read
    kTableOutOfMemory = kQROutOfMemory,
};

// Finds the section `name` and decodes it. Sets *bytes to nullptr and *length
// to 0 first; on finding the section, *bytes is the decoded section (released
// with std::free) and *length its size. Looks the folder up afresh through
// the engine host at every call. Returns a TableReadResult.
int32_t ReadTableSection(const char* name, uint8_t** bytes, int32_t* length);

// Copies the next `count` bytes of a decoded section from *cursor into
// `destination`, fewer if the section ends first, and advances *cursor by the
// number copied. Destination bytes beyond those copied keep their values.
void TakeSectionBytes(const uint8_t* section, int32_t length, void* destination, int32_t* cursor,
                      int32_t count);
