#include "qr/store/table_file.h"

#include <cassert>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "qr/store/lzss_decode.h"
#include "qr/store/table_checks.h"
#include "qr/store/table_failure.h"

namespace {

// No section of a real table file comes near this; a larger size in a
// damaged directory is cut to it rather than allocated.
constexpr int32_t kMaxSectionSize = 4 * 1024 * 1024;

// Reads `count` bytes at `offset`; the number read, 0 when nothing could be.
// The bytes read at `offset`, or -1 when the file cannot be read there: a
// failed read is no short file, and nothing decoded from it may be held.
int64_t ReadAt(HFILE file, uint32_t offset, void* buffer, uint32_t count) {
    if (_llseek(file, static_cast<LONG>(offset), FILE_BEGIN) == HFILE_ERROR) return -1;
    const UINT got = _lread(file, buffer, count);
    return got == static_cast<UINT>(HFILE_ERROR) ? int64_t{-1} : int64_t{got};
}

int32_t Unreadable(const char* name) {
    NoteTableFailure(name, kTableFailureUnreadable);
    return kTableFileCannotOpen;
}

// The section `name` of the open file, checked against its check value when
// the file has check values; an absent section stays absent.
int32_t ReadCheckedSection(const TableFile* table, const char* name, uint8_t** bytes,
                           int32_t* length) {
    auto* directory = static_cast<TableDirectory*>(std::malloc(sizeof(TableDirectory)));
    auto* checks = static_cast<TableChecks*>(std::malloc(sizeof(TableChecks)));
    int32_t rc = directory != nullptr && checks != nullptr ? kTableRead : kTableOutOfMemory;
    if (rc == kTableRead) {
        rc = ReadTableDirectory(table, directory);
        const TableEntry* entry = rc == kTableRead ? FindTableEntry(directory, name) : nullptr;
        if (entry != nullptr)
            rc = ReadTableEntry(table, directory, name, *entry, -1, bytes, length);
    }
    if (rc == kTableRead && *bytes != nullptr) {
        rc = ReadTableChecks(table, directory, checks);
        if (rc == kTableRead) rc = VerifyTableSection(checks, name, *bytes, *length);
    }
    if (rc != kTableRead) {
        std::free(*bytes);
        *bytes = nullptr;
        *length = 0;
    }
    std::free(checks);
    std::free(directory);
    return rc;
}

}  // namespace

int32_t FormTableFilePath(const char* folder, char* path) {
    assert(folder != nullptr && path != nullptr);
    path[0] = '\0';
    const size_t folderLength = std::strlen(folder);
    if (folderLength > static_cast<size_t>(kTableFileMaxFolderLength)) {
        NoteTableFailure(nullptr, kTableFailurePathTooLong);
        return kTablePathTooLong;
    }
    static_assert(kTableFilePathSize >= kTableFileMaxFolderLength + sizeof kTableFileSubpath);
    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, kTableFileSubpath, sizeof kTableFileSubpath);
    return kTableRead;
}

int32_t OpenTableFile(const char* path, TableFile* table) {
    assert(path != nullptr);
    table->length = 0;
    table->file = _lopen(path, OF_READ);
    if (table->file == HFILE_ERROR) {
        NoteTableFailure(nullptr, kTableFailureCannotOpen);
        return kTableFileCannotOpen;
    }
    const LONG length = _llseek(table->file, 0, FILE_END);
    table->length = length == HFILE_ERROR ? 0 : static_cast<uint32_t>(length);
    return kTableRead;
}

int32_t ReadTableDirectory(const TableFile* table, TableDirectory* directory) {
    const int64_t got = ReadAt(table->file, 0, directory->bytes, kTableDirectorySize);
    IndexTableDirectory(directory, got < 0 ? 0 : static_cast<int32_t>(got));
    return got < 0 ? Unreadable(nullptr) : kTableRead;
}

namespace {

// The compressed bytes of the section `name` of `entry`, read into a block of
// their own (*compressed, released with std::free; none for an absent
// section) and counted in *size.
int32_t ReadCompressed(const TableFile* table, const TableDirectory* directory, const char* name,
                       const TableEntry& entry, uint8_t** compressed, int32_t* size) {
    *compressed = nullptr;
    *size = 0;
    if (entry.offset == 0 || entry.size == 0) return kTableRead;
    // A section starts behind the directory and inside the file; an offset
    // anywhere else is damage, not a section to decode.
    const int32_t misplaced = entry.offset < static_cast<uint32_t>(directory->end)
                                  ? kTableFailureInDirectory
                              : entry.offset >= table->length ? kTableFailureBeyondEnd
                                                              : kTableFailureNone;
    if (misplaced != kTableFailureNone) {
        NoteTableFailure(name, misplaced);
        return kTableSectionDamaged;
    }
    uint32_t stored = entry.size;
    if (stored > table->length - entry.offset) stored = table->length - entry.offset;
    if (stored > static_cast<uint32_t>(kMaxSectionSize)) stored = kMaxSectionSize;

    auto* bytes = static_cast<uint8_t*>(std::malloc(stored));
    if (bytes == nullptr) return kTableOutOfMemory;
    const int64_t read = ReadAt(table->file, entry.offset, bytes, stored);
    if (read < 0) {
        std::free(bytes);
        return Unreadable(name);
    }
    *compressed = bytes;
    *size = static_cast<int32_t>(read);
    return kTableRead;
}

}  // namespace

int32_t ReadTableEntry(const TableFile* table, const TableDirectory* directory, const char* name,
                       const TableEntry& entry, int32_t limit, uint8_t** bytes, int32_t* length) {
    *bytes = nullptr;
    *length = 0;
    uint8_t* compressed = nullptr;
    int32_t got = 0;
    int32_t rc = ReadCompressed(table, directory, name, entry, &compressed, &got);
    if (rc != kTableRead || compressed == nullptr) return rc;
    if (limit < 0) {
        rc = LzssDecode(bytes, length, compressed, got);
    } else {
        *bytes = static_cast<uint8_t*>(std::malloc(limit > 0 ? limit : 1));
        if (*bytes == nullptr) rc = kTableOutOfMemory;
        else *length = LzssDecodeInto(compressed, got, *bytes, limit);
    }
    std::free(compressed);
    return rc;
}

int32_t ReadTableEntryInto(const TableFile* table, const TableDirectory* directory,
                           const char* name, const TableEntry& entry, uint8_t* destination,
                           int32_t capacity, int32_t* length) {
    assert(capacity >= 0 && (destination != nullptr || capacity == 0));
    *length = 0;
    uint8_t* compressed = nullptr;
    int32_t got = 0;
    const int32_t rc = ReadCompressed(table, directory, name, entry, &compressed, &got);
    if (rc != kTableRead || compressed == nullptr) return rc;
    *length = LzssDecodeInto(compressed, got, destination, capacity);
    std::free(compressed);
    return kTableRead;
}

void CloseTableFile(TableFile* table) {
    if (table->file != HFILE_ERROR) _lclose(table->file);
    table->file = HFILE_ERROR;
}

int32_t ReadTableSection(const char* path, const char* name, uint8_t** bytes, int32_t* length) {
    assert(path != nullptr && name != nullptr && bytes != nullptr && length != nullptr);
    *bytes = nullptr;
    *length = 0;
    TableFile table;
    int32_t rc = OpenTableFile(path, &table);
    if (rc != kTableRead) return rc;
    rc = ReadCheckedSection(&table, name, bytes, length);
    CloseTableFile(&table);
    return rc;
}

void TakeSectionBytes(const uint8_t* section, int32_t length, void* destination, int32_t* cursor,
                      int32_t count) {
    assert(cursor != nullptr && *cursor >= 0);
    if (section == nullptr || count <= 0 || *cursor >= length) return;
    const int32_t n = count < length - *cursor ? count : length - *cursor;
    std::memcpy(destination, section + *cursor, static_cast<size_t>(n));
    *cursor += n;
}
