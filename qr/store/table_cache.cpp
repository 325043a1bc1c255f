#include "qr/store/table_cache.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/store/table_checks.h"

namespace {

// Whatever tells one file, or one version of it, from another.
struct FileIdentity {
    uint32_t volume;
    uint64_t index;
    uint64_t size;
    uint64_t created;
    uint64_t written;
    bool operator==(const FileIdentity&) const = default;
};

struct HeldSection {
    char name[kTableCacheNameLength + 1];
    int32_t needed;  // what was asked for: the bytes are its first ones
    uint8_t* bytes;  // std::malloc'ed; null for an absent section
    int32_t length;
    int32_t held;      // bytes of the block, counted against the bound
    uint32_t lastUse;  // serial of the last session that returned it
};

struct TableCache {
    bool known;  // path and identity name the file the contents came from
    char path[kTableFilePathSize];
    FileIdentity identity;
    uint64_t readSince;  // when the first of the contents was read
    bool directoryHeld;  // the directory and the check values
    TableDirectory directory;
    TableChecks checks;
    int32_t sectionCount;
    int32_t bytes;
    HeldSection sections[kTableCacheSections];
    uint32_t serial;
    uint64_t reads;
};

// The one cache of the process (of the module, in the plug-in): static
// storage, with heap blocks only for the sections it holds.
TableCache gCache;

uint64_t Ticks(const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

bool QueryIdentity(HFILE file, FileIdentity* id) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(file)), &info))
        return false;
    id->volume = info.dwVolumeSerialNumber;
    id->index = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    id->size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    id->created = Ticks(info.ftCreationTime);
    id->written = Ticks(info.ftLastWriteTime);
    return true;
}

void DropContents() {
    for (int32_t i = 0; i < gCache.sectionCount; ++i) std::free(gCache.sections[i].bytes);
    gCache.sectionCount = 0;
    gCache.bytes = 0;
    gCache.directoryHeld = false;
}

void DropSection(int32_t i) {
    gCache.bytes -= gCache.sections[i].held;
    std::free(gCache.sections[i].bytes);
    gCache.sections[i] = gCache.sections[--gCache.sectionCount];
}

// Makes room for one more section of `length` bytes, dropping the least
// recently used that the session in progress has not returned.
void MakeRoom(int32_t length, uint32_t serial) {
    while (gCache.sectionCount == kTableCacheSections || gCache.bytes + length > kTableCacheBytes) {
        int32_t oldest = -1;
        for (int32_t i = 0; i < gCache.sectionCount; ++i) {
            const HeldSection& s = gCache.sections[i];
            if (s.lastUse != serial &&
                (oldest < 0 || s.lastUse < gCache.sections[oldest].lastUse))
                oldest = i;
        }
        // One encoding takes three sections, far below both bounds.
        assert(oldest >= 0);
        if (oldest < 0) return;
        DropSection(oldest);
    }
}

}  // namespace

int32_t OpenTableSession(const char* path, TableSession* session) {
    assert(path != nullptr && std::strlen(path) < static_cast<size_t>(kTableFilePathSize));
    session->serial = ++gCache.serial;
    session->decoded = 0;
    const int32_t rc = OpenTableFile(path, &session->table);
    if (rc != kTableRead) {
        ResetTableCache();
        return rc;
    }
    FileIdentity identity{};
    const bool identified = QueryIdentity(session->table.file, &identity);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const bool same = gCache.known && identified && identity == gCache.identity &&
                      std::strcmp(path, gCache.path) == 0 &&
                      identity.written + kTableFileSettleTime <= gCache.readSince;
    if (!same) {
        DropContents();
        gCache.known = identified;
        std::memcpy(gCache.path, path, std::strlen(path) + 1);
        gCache.identity = identity;
        gCache.readSince = Ticks(now);
    }
    return kTableRead;
}

int32_t TableSessionSection(TableSession* session, const char* name, int32_t needed,
                            const uint8_t** bytes, int32_t* length) {
    assert(session->serial == gCache.serial && session->table.file != HFILE_ERROR);
    assert(needed >= 0 && needed <= kTableCacheBytes / 4);
    *bytes = nullptr;
    *length = 0;
    const size_t nameLength = std::strlen(name);
    assert(nameLength <= static_cast<size_t>(kTableCacheNameLength));
    if (nameLength > static_cast<size_t>(kTableCacheNameLength)) return kTableRead;
    for (int32_t i = 0; i < gCache.sectionCount; ++i) {
        HeldSection& s = gCache.sections[i];
        if (s.needed == needed && std::strcmp(s.name, name) == 0) {
            s.lastUse = session->serial;
            *bytes = s.bytes;
            *length = s.length;
            return kTableRead;
        }
    }

    if (!gCache.directoryHeld) {
        int32_t rc = ReadTableDirectory(&session->table, &gCache.directory);
        if (rc == kTableRead)
            rc = ReadTableChecks(&session->table, &gCache.directory, &gCache.checks);
        if (rc != kTableRead) return rc;
        gCache.directoryHeld = true;
    }
    uint8_t* read = nullptr;
    int32_t readLength = 0;
    // With check values a section is decoded one byte beyond what is needed,
    // so that one longer than its check value says is seen.
    const int32_t limit = gCache.checks.state == kTableChecksAbsent ? needed : needed + 1;
    if (const TableEntry* entry = FindTableEntry(&gCache.directory, name)) {
        int32_t rc = ReadTableEntry(&session->table, &gCache.directory, name, *entry, limit, &read,
                                    &readLength);
        if (rc == kTableRead && read != nullptr)
            rc = VerifyTableSection(&gCache.checks, name, read, readLength);
        if (rc != kTableRead) {
            std::free(read);  // a damaged section is never held
            return rc;
        }
        ++gCache.reads;
    }
    ++session->decoded;
    const int32_t held = read != nullptr ? limit : 0;  // the block's size
    MakeRoom(held, session->serial);
    HeldSection& s = gCache.sections[gCache.sectionCount++];
    std::memcpy(s.name, name, nameLength + 1);
    s.needed = needed;
    s.bytes = read;
    s.length = readLength;
    s.held = held;
    s.lastUse = session->serial;
    gCache.bytes += held;
    *bytes = read;
    *length = readLength;
    return kTableRead;
}

void CloseTableSession(TableSession* session) { CloseTableFile(&session->table); }

void DropHeldSections() { ResetTableCache(); }

void ResetTableCache() {
    DropContents();
    gCache.known = false;
    gCache.path[0] = '\0';
}

TableCacheContents HeldTableContents() {
    return {gCache.sectionCount, gCache.bytes, gCache.directoryHeld, gCache.reads};
}
