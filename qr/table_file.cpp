#include "qr/table_file.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "platform/win_files.h"
#include "qr/lzss_decode.h"

namespace {

// Longest directory line that can be an entry.
constexpr int32_t kMaxLineLength = 255;

// No section of a real table file comes near this; a larger size in a
// damaged directory is cut to it rather than allocated.
constexpr int32_t kMaxSectionSize = 4 * 1024 * 1024;

// Parses 8 upper-case hex digits; false for any other character.
bool ParseHex8(const char* p, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i) {
        const char c = p[i];
        uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
        else return false;
        v = v * 16 + digit;
    }
    *value = v;
    return true;
}

// Tests a collected directory line: true when it is an entry for `name`
// with well-formed offset and size.
bool MatchEntry(const char* line, int32_t lineLength, const char* name, uint32_t* offset,
                uint32_t* size) {
    if (lineLength < 19 || line[8] != ':' || line[17] != ':') return false;
    const size_t nameLength = std::strlen(name);
    if (static_cast<size_t>(lineLength - 18) != nameLength ||
        std::memcmp(line + 18, name, nameLength) != 0)
        return false;
    return ParseHex8(line, offset) && ParseHex8(line + 9, size);
}

// Scans the directory bytes for the first entry named `name`. Lines end with
// CR or LF; the directory ends at the first NUL or after the last byte read.
// A last line with no line end is not tested.
bool FindEntry(const uint8_t* directory, int32_t count, const char* name, uint32_t* offset,
               uint32_t* size) {
    char line[kMaxLineLength + 1];
    int32_t lineLength = 0;
    bool overlong = false;
    for (int32_t i = 0; i < count && directory[i] != 0; ++i) {
        const char c = static_cast<char>(directory[i]);
        if (c == '\r' || c == '\n') {
            if (!overlong && MatchEntry(line, lineLength, name, offset, size)) return true;
            lineLength = 0;
            overlong = false;
        } else if (lineLength < kMaxLineLength) {
            line[lineLength++] = c;
        } else {
            overlong = true;  // too long to be an entry; skip to its end
        }
    }
    return false;
}

// Reads the section at `offset` of up to `size` compressed bytes (no more than
// the file holds) and decodes it.
int32_t ReadSection(HFILE file, uint32_t offset, uint32_t size, uint8_t** bytes, int32_t* length) {
    const LONG fileLength = _llseek(file, 0, FILE_END);
    if (fileLength == HFILE_ERROR || offset >= static_cast<uint32_t>(fileLength)) return kTableRead;
    uint32_t available = static_cast<uint32_t>(fileLength) - offset;
    if (size > available) size = available;
    if (size > static_cast<uint32_t>(kMaxSectionSize)) size = kMaxSectionSize;
    if (_llseek(file, static_cast<LONG>(offset), FILE_BEGIN) == HFILE_ERROR) return kTableRead;

    auto* compressed = static_cast<uint8_t*>(std::calloc(size, 1));
    if (compressed == nullptr) return kTableOutOfMemory;
    UINT got = _lread(file, compressed, size);
    if (got == static_cast<UINT>(HFILE_ERROR)) got = 0;
    const int32_t rc = LzssDecode(bytes, length, compressed, static_cast<int32_t>(got));
    std::free(compressed);
    return rc;
}

}  // namespace

int32_t ReadTableSection(const char* name, uint8_t** bytes, int32_t* length) {
    assert(name != nullptr && bytes != nullptr && length != nullptr);
    *bytes = nullptr;
    *length = 0;

    char folder[kAppFolderSize];
    if (!FindHostAppFolder(folder)) return kTableNoAppFolder;
    const size_t folderLength = std::strlen(folder);
    assert(folderLength < static_cast<size_t>(kAppFolderSize));
    if (folderLength > static_cast<size_t>(kTableFileMaxFolderLength)) return kTablePathTooLong;
    char path[kTableFilePathSize];
    static_assert(sizeof path >= sizeof folder - 1 + sizeof kTableFileSubpath);
    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, kTableFileSubpath, sizeof kTableFileSubpath);

    const HFILE file = _lopen(path, OF_READ);
    if (file == HFILE_ERROR) return kTableFileCannotOpen;

    int32_t rc = kTableRead;
    auto* directory = static_cast<uint8_t*>(std::calloc(kTableDirectorySize, 1));
    if (directory == nullptr) {
        rc = kTableOutOfMemory;
    } else {
        UINT got = _lread(file, directory, kTableDirectorySize);
        if (got == static_cast<UINT>(HFILE_ERROR)) got = 0;
        uint32_t offset = 0, size = 0;
        if (FindEntry(directory, static_cast<int32_t>(got), name, &offset, &size) && offset != 0 &&
            size != 0)
            rc = ReadSection(file, offset, size, bytes, length);
        std::free(directory);
    }
    _lclose(file);
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
