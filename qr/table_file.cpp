#include "qr/table_file.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/lzss_decode.h"

namespace {

// No section of a real table file comes near this; a larger size in a
// damaged directory is cut to it rather than allocated.
constexpr int32_t kMaxSectionSize = 4 * 1024 * 1024;

// Reads `count` bytes at `offset`; the number read, 0 when nothing could be.
uint32_t ReadAt(HFILE file, uint32_t offset, void* buffer, uint32_t count) {
    if (_llseek(file, static_cast<LONG>(offset), FILE_BEGIN) == HFILE_ERROR) return 0;
    const UINT got = _lread(file, buffer, count);
    return got == static_cast<UINT>(HFILE_ERROR) ? 0 : got;
}

}  // namespace

int32_t OpenTableFile(char* path, TableFile* table) {
    table->file = HFILE_ERROR;
    table->length = 0;
    path[0] = '\0';
    char folder[kAppFolderSize];
    if (!FindHostAppFolder(folder)) return kTableNoAppFolder;
    const size_t folderLength = std::strlen(folder);
    assert(folderLength < static_cast<size_t>(kAppFolderSize));
    if (folderLength > static_cast<size_t>(kTableFileMaxFolderLength)) return kTablePathTooLong;
    static_assert(kTableFilePathSize >= kAppFolderSize - 1 + sizeof kTableFileSubpath);
    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, kTableFileSubpath, sizeof kTableFileSubpath);

    table->file = _lopen(path, OF_READ);
    if (table->file == HFILE_ERROR) return kTableFileCannotOpen;
    const LONG length = _llseek(table->file, 0, FILE_END);
    table->length = length == HFILE_ERROR ? 0 : static_cast<uint32_t>(length);
    return kTableRead;
}

int32_t ReadTableDirectory(const TableFile* table, TableDirectory* directory) {
    const uint32_t got = ReadAt(table->file, 0, directory->bytes, kTableDirectorySize);
    IndexTableDirectory(directory, static_cast<int32_t>(got));
    return kTableRead;
}

int32_t ReadTableEntry(const TableFile* table, const TableEntry& entry, int32_t limit,
                       uint8_t** bytes, int32_t* length) {
    *bytes = nullptr;
    *length = 0;
    if (entry.offset == 0 || entry.size == 0 || entry.offset >= table->length) return kTableRead;
    uint32_t size = entry.size;
    if (size > table->length - entry.offset) size = table->length - entry.offset;
    if (size > static_cast<uint32_t>(kMaxSectionSize)) size = kMaxSectionSize;

    auto* compressed = static_cast<uint8_t*>(std::malloc(size));
    if (compressed == nullptr) return kTableOutOfMemory;
    const auto got = static_cast<int32_t>(ReadAt(table->file, entry.offset, compressed, size));
    int32_t rc = kTableRead;
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

void CloseTableFile(TableFile* table) {
    if (table->file != HFILE_ERROR) _lclose(table->file);
    table->file = HFILE_ERROR;
}

int32_t ReadTableSection(const char* name, uint8_t** bytes, int32_t* length) {
    assert(name != nullptr && bytes != nullptr && length != nullptr);
    *bytes = nullptr;
    *length = 0;
    char path[kTableFilePathSize];
    TableFile table;
    int32_t rc = OpenTableFile(path, &table);
    if (rc != kTableRead) return rc;
    auto* directory = static_cast<TableDirectory*>(std::malloc(sizeof(TableDirectory)));
    if (directory == nullptr) {
        rc = kTableOutOfMemory;
    } else {
        ReadTableDirectory(&table, directory);
        if (const TableEntry* entry = FindTableEntry(directory, name))
            rc = ReadTableEntry(&table, *entry, -1, bytes, length);
        std::free(directory);
    }
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
