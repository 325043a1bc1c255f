// The symbol table file ORVK_QR.DAT: a text directory of named sections in
// its first 8192 bytes (table_directory.h), each section an LZSS stream
// (lzss_decode.h).
//
// The store is handed the file's full path: only the engine's door asks its
// host for the folder (engine_host.h: FindHostTableFile), so nothing here
// reaches up to the host. ReadTableSection reads one section as a whole,
// opening and closing the file. The engine's encodings read theirs through
// the table cache (table_cache.h), which opens the file once per encoding
// with the pieces below.
#pragma once

#include <cstdint>

#include "platform/win_files.h"
#include "qr/base/engine_types.h"
#include "qr/store/table_directory.h"

// The table file's place under the host application's folder, a Windows path
// in code page 932. Whoever lays the file out or looks for it uses this one.
inline constexpr char kTableFileSubpath[] = "\\Prefs\\Orvelk\\ORVK_QR.DAT";
inline constexpr int32_t kTableFileSubpathLength = sizeof kTableFileSubpath - 1;
// Longest full path of the table file the reader opens, in bytes without the
// NUL, and so the longest folder it can lie under.
inline constexpr int32_t kTableFilePathMaxLength = 255;
inline constexpr int32_t kTableFileMaxFolderLength =
    kTableFilePathMaxLength - kTableFileSubpathLength;
// The buffer of the full path, its NUL included.
inline constexpr int32_t kTableFilePathSize = kTableFilePathMaxLength + 1;

// Results of ReadTableSection: one meaning each, none shared with a result of
// EncodeQRSymbol but kQROutOfMemory, which means the same in both.
enum TableReadResult : int32_t {
    kTableRead = 0,              // the file was read, whether or not the section was there
    kTableNoAppFolder = -20,     // no engine host, or its folder lookup failed
    kTablePathTooLong = -21,     // folder and subpath exceed kTableFilePathMaxLength
    kTableFileCannotOpen = -22,  // no file at the path, or it cannot be read
    kTableSectionDamaged = -23,  // a section fails a check (table_failure.h says which)
    kTableOutOfMemory = kQROutOfMemory,
};

// Forms the table file's path under the application folder `folder` (a
// Windows path without a trailing backslash) into `path` (kTableFilePathSize
// bytes). Returns kTableRead, or kTablePathTooLong with the failure noted and
// `path` empty when the folder is longer than kTableFileMaxFolderLength.
int32_t FormTableFilePath(const char* folder, char* path);

// Finds the section `name` of the table file at `path` and decodes it. Sets
// *bytes to nullptr and *length to 0 first; on finding the section, *bytes is
// the decoded section (released with std::free) and *length its size. A file
// with check values (table_checks.h) gives the section only when it matches
// its own. Returns a TableReadResult.
int32_t ReadTableSection(const char* path, const char* name, uint8_t** bytes, int32_t* length);

// Copies the next `count` bytes of a decoded section from *cursor into
// `destination`, fewer if the section ends first, and advances *cursor by the
// number copied. Destination bytes beyond those copied keep their values.
void TakeSectionBytes(const uint8_t* section, int32_t length, void* destination, int32_t* cursor,
                      int32_t count);

// The table file, open for reading.
struct TableFile {
    HFILE file;
    uint32_t length;  // its bytes when it was opened
};

// Opens the table file at `path`. Returns kTableRead, or
// kTableFileCannotOpen with the failure noted (table_failure.h).
int32_t OpenTableFile(const char* path, TableFile* table);

// Reads the directory, up to its first 8192 bytes, and indexes it. Returns
// kTableRead, or kTableFileCannotOpen with the failure noted when the file
// cannot be read (the directory then indexes no entry).
int32_t ReadTableDirectory(const TableFile* table, TableDirectory* directory);

// Reads the section `name` of `entry`, an entry of `directory` (none when
// its offset or size is 0), no more of it than the file holds and at most 4
// MiB, and decodes it: whole into a buffer of LzssDecode's when `limit` is
// negative, else its first `limit` bytes into a buffer of that size. *bytes
// (released with std::free) and *length are none and 0 first and for an
// absent section. Returns kTableRead, kTableOutOfMemory, kTableFileCannotOpen
// when the file cannot be read there, or
// kTableSectionDamaged with the failure noted when the section would start
// inside the directory or beyond the end of the file.
int32_t ReadTableEntry(const TableFile* table, const TableDirectory* directory, const char* name,
                       const TableEntry& entry, int32_t limit, uint8_t** bytes, int32_t* length);

// Reads the section `name` of `entry` as ReadTableEntry does and decodes its
// first `capacity` bytes (fewer when it is shorter) into `destination`, which
// holds at least `capacity` bytes: *length is the bytes decoded, 0 for an
// absent section. Destination bytes beyond them may have been written.
// Returns as ReadTableEntry.
int32_t ReadTableEntryInto(const TableFile* table, const TableDirectory* directory,
                           const char* name, const TableEntry& entry, uint8_t* destination,
                           int32_t capacity, int32_t* length);

// Closes the file, if it is open.
void CloseTableFile(TableFile* table);
