// The symbol table file ORVK_QR.DAT: a text directory of named sections in
// its first 8192 bytes, each section an LZSS stream (lzss_decode.h).
//
// Directory lines end with CR or LF. An entry is a line of at least 19
// characters with colons at positions 8 and 17: 8 hex digits of offset, ':',
// 8 hex digits of compressed size, ':', the section name.
#pragma once

#include <cstdint>

// The table file's place under the host application's folder.
inline constexpr char kTableFileSubpath[] = "\\Prefs\\Orvelk\\ORVK_QR.DAT";
// Size of the buffer that holds the table file's full path.
inline constexpr int32_t kTableFilePathSize = 256;
// How much of the file the directory may take.
inline constexpr int32_t kTableDirectorySize = 8192;

// Finds the section `name` and decodes it. Sets *bytes to nullptr and *length
// to 0 first; on finding the section, *bytes is the decoded section (released
// with std::free) and *length its size. Returns 0 when the file was read,
// whether or not the section was there; -1 when it could not be opened; the
// code of FindAppFolder when the folder could not be found; kQRTableFileDamaged
// when folder and file name exceed the path buffer; kQROutOfMemory.
int32_t ReadTableSection(const char* name, uint8_t** bytes, int32_t* length);

// Copies the next `count` bytes of a decoded section from *cursor into
// `destination`, fewer if the section ends first, and advances *cursor by the
// number copied. Destination bytes beyond those copied keep their values.
void TakeSectionBytes(const uint8_t* section, int32_t length, void* destination, int32_t* cursor,
                      int32_t count);
