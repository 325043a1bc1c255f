#include "qr/store/table_directory.h"

#include <cassert>
#include <cstring>

namespace {

// Longest directory line that can be an entry.
constexpr int32_t kMaxLineLength = 255;

// Parses 8 upper-case hex digits; false for any other character.
bool ParseHex8(const uint8_t* p, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i) {
        const uint8_t c = p[i];
        uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
        else return false;
        v = v * 16 + digit;
    }
    *value = v;
    return true;
}

// Adds the line of `length` bytes at `at` to the index when it is an entry;
// false for a line that is none.
bool IndexLine(TableDirectory* d, int32_t at, int32_t length) {
    const uint8_t* line = d->bytes + at;
    if (length < 19 || length > kMaxLineLength || line[8] != ':' || line[17] != ':') return false;
    TableEntry e;
    if (!ParseHex8(line, &e.offset) || !ParseHex8(line + 9, &e.size)) return false;
    e.nameAt = static_cast<uint16_t>(at + 18);
    e.nameLength = static_cast<uint8_t>(length - 18);
    assert(d->entryCount < kMaxTableEntries);
    d->entries[d->entryCount++] = e;
    return true;
}

// The first `c` in [from, stop), or `stop` when there is none.
const uint8_t* NextByte(const uint8_t* from, const uint8_t* stop, uint8_t c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(stop - from));
    return found != nullptr ? static_cast<const uint8_t*>(found) : stop;
}

}  // namespace

void IndexTableDirectory(TableDirectory* directory, int32_t count) {
    assert(count >= 0 && count <= kTableDirectorySize);
    directory->entryCount = 0;
    const uint8_t* bytes = directory->bytes;
    const void* nul = std::memchr(bytes, 0, static_cast<size_t>(count));
    const int32_t end = nul != nullptr ? static_cast<int32_t>(static_cast<const uint8_t*>(nul) - bytes)
                                       : count;
    // Every CR and every LF ends a line: the next of each is kept, and the
    // nearer one ends the line in hand.
    const uint8_t* stop = bytes + end;
    const uint8_t* cr = NextByte(bytes, stop, '\r');
    const uint8_t* lf = NextByte(bytes, stop, '\n');
    int32_t lineStart = 0;
    int32_t lastEntryEnd = 0;  // behind the last entry's line end, a CR LF pair's LF included
    while (cr != stop || lf != stop) {
        const uint8_t* lineEnd = cr < lf ? cr : lf;
        const auto at = static_cast<int32_t>(lineEnd - bytes);
        if (IndexLine(directory, lineStart, at - lineStart))
            lastEntryEnd = at + 1 + (lineEnd == cr && lf == cr + 1 ? 1 : 0);
        lineStart = at + 1;
        if (lineEnd == cr) cr = NextByte(cr + 1, stop, '\r');
        else lf = NextByte(lf + 1, stop, '\n');
    }
    // With its 0x00 the directory ends there. A file without one may hold its
    // sections straight behind the last entry: they end the directory, for a
    // section may start anywhere after its lines.
    directory->end = nul != nullptr ? end + 1 : lastEntryEnd;
    assert(directory->end >= 0 && directory->end <= count);
}

const TableEntry* FindTableEntry(const TableDirectory* directory, const char* name) {
    const size_t length = std::strlen(name);
    for (int32_t i = 0; i < directory->entryCount; ++i) {
        const TableEntry& e = directory->entries[i];
        if (e.nameLength == length && std::memcmp(directory->bytes + e.nameAt, name, length) == 0)
            return &e;
    }
    return nullptr;
}
