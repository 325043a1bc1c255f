// The table file's directory, read once and indexed in one scan: every entry
// line becomes an entry of the index, in the order of the lines, so that
// finding a section no longer scans the text.
//
// Directory lines end with CR or LF; the directory ends at its first NUL or,
// in a file without one, behind its last entry line (the bytes after it may
// be sections), and a last line without a line end is not an entry. An entry is a line of 19 to 255 characters with colons at positions
// 8 and 17: 8 upper-case hex digits of offset, ':', 8 of compressed size,
// ':', the section name (any bytes, compared exactly).
#pragma once

#include <cstdint>

// How much of the file the directory may take.
inline constexpr int32_t kTableDirectorySize = 8192;
// Most entries a directory can hold: each takes 19 characters and a line end.
inline constexpr int32_t kMaxTableEntries = kTableDirectorySize / 20 + 1;

struct TableEntry {
    uint32_t offset;     // the section's first byte in the file; 0: absent
    uint32_t size;       // its compressed bytes; 0: absent
    uint16_t nameAt;     // its name in the directory's bytes
    uint8_t nameLength;  // at most 255 - 18
};

struct TableDirectory {
    uint8_t bytes[kTableDirectorySize];  // as read from the file
    int32_t end;  // bytes the directory takes, its 0x00 or last entry line included: no section starts below
    int32_t entryCount;
    TableEntry entries[kMaxTableEntries];
};

// Indexes the first `count` bytes of directory->bytes (count at most
// kTableDirectorySize): the lines that are entries with well-formed hex
// fields, in order; sets `end`.
void IndexTableDirectory(TableDirectory* directory, int32_t count);

// The first entry named `name`, or null when no entry has that name.
const TableEntry* FindTableEntry(const TableDirectory* directory, const char* name);
