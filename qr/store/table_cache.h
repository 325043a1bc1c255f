// What the engine keeps of the table file between encodings, and the one
// opening of the file that each encoding makes.
//
// An encoding opens a session: the file at the path the engine's door hands
// it is opened, and its identity (volume, file index, size,
// creation and last write time, as GetFileInformationByHandle gives them) is
// compared with that of the file the held sections came from, under the
// same full path. The held sections are used only when all of it is the same
// and the file had been written at least kTableFileSettleTime before they
// were first read: a file whose write time is that old cannot be written
// again without its write time changing, whatever the resolution of the
// file system's clock. Anything else drops them, and the session reads the
// file as it stands. So a table file replaced, rewritten, cut short or
// removed between two encodings is seen at the next one.
//
// Bounds: at most kTableCacheSections decoded sections of at most
// kTableCacheBytes together (the least recently used go first, never one the
// session in progress has returned), plus the directory and its index in
// static storage. Each section is held only as far as the engine takes it
// (its records, template or generator rows), so version 40's largest set is
// 89103 + 31506 + 7680 bytes. ResetTableCache frees everything;
// SetQREngineHost calls it, so installing or removing a host (the plug-in's
// shutdown and unload, the end of a stand-in session) leaves nothing behind.
#pragma once

#include <cstdint>

#include "qr/store/table_file.h"

inline constexpr int32_t kTableCacheSections = 16;
inline constexpr int32_t kTableCacheBytes = 512 * 1024;
// Three seconds in FILETIME units (100 ns): more than the two seconds of the
// coarsest file system clock the file may lie on.
inline constexpr int64_t kTableFileSettleTime = 3 * 10000000LL;
// Longest section name the cache holds, in bytes.
inline constexpr int32_t kTableCacheNameLength = 15;

// One encoding's access to the table file.
struct TableSession {
    TableFile table;
    uint32_t serial;  // the session's number; sections it used stay held
    int32_t decoded;  // sections this session read from the file rather than the cache
};

// Opens the session on the table file at `path`: the file and, when it is the file the held
// sections came from and old enough, keeps them. Returns kTableRead, or the TableReadResult of a
// file that cannot be opened (which drops everything held). Every opened session is closed with
// CloseTableSession.
int32_t OpenTableSession(const char* path, TableSession* session);

// The first `needed` bytes (fewer when the section is shorter) of the
// section `name` (at most kTableCacheNameLength bytes): *bytes and *length,
// or null and 0 for a section that is absent. The bytes stay valid until the
// next session opens or the cache is reset. Returns kTableRead or
// kTableOutOfMemory.
int32_t TableSessionSection(TableSession* session, const char* name, int32_t needed,
                            const uint8_t** bytes, int32_t* length);

void CloseTableSession(TableSession* session);

// Drops every held section, as ResetTableCache does, from inside a session:
// for the engine when a section it took fails a check of its meaning, so that
// no later session takes it from the cache unchecked. The session's bytes are
// invalid afterwards; it is still closed with CloseTableSession.
void DropHeldSections();

// Frees every held section and forgets the file.
void ResetTableCache();

// What the cache holds, for tests and benchmarks.
struct TableCacheContents {
    int32_t sections;  // held sections, absent ones included
    int32_t bytes;     // their blocks' bytes
    bool directory;    // the directory and its index are held
    uint64_t reads;    // sections read from the file since the process began
};
TableCacheContents HeldTableContents();
