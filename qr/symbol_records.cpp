#include "qr/symbol_records.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "qr/table_file.h"

namespace {

// Reads a whole section; a missing file, folder or section is a damaged table.
int32_t ReadWholeSection(const char* name, uint8_t** bytes, int32_t* length) {
    const int32_t rc = ReadTableSection(name, bytes, length);
    if (rc == kTableOutOfMemory) return kQROutOfMemory;
    if (rc != kTableRead || *bytes == nullptr) {
        std::free(*bytes);
        *bytes = nullptr;
        return kQRTableFileDamaged;
    }
    return kQROk;
}

// Takes the record's seven fields in order; false when the section is short.
bool TakeRecordFields(const uint8_t* section, int32_t length, int32_t bits, SymbolRecords* r) {
    int32_t cursor = 0;
    TakeSectionBytes(section, length, r->columns, &cursor, bits);
    TakeSectionBytes(section, length, r->rows, &cursor, bits);
    TakeSectionBytes(section, length, r->maskBits, &cursor, bits);
    TakeSectionBytes(section, length, r->formatColumns, &cursor, kFormatBits);
    TakeSectionBytes(section, length, r->formatRows, &cursor, kFormatBits);
    TakeSectionBytes(section, length, &r->eccPerBlock, &cursor, 1);
    TakeSectionBytes(section, length, r->blockList, &cursor, kMaxBlocks);
    return cursor == 3 * bits + 2 * kFormatBits + 1 + kMaxBlocks;
}

// Checks the record against the version: positions inside the symbol,
// a block list that ends, and blocks that add up to the codeword counts.
bool RecordFitsVersion(SymbolRecords* r, int32_t side, int32_t bits, int32_t dataCodewords,
                       int32_t totalCodewords) {
    for (int32_t k = 0; k < bits; ++k)
        if (r->columns[k] >= side || r->rows[k] >= side) return false;
    for (int x = 0; x < kFormatBits; ++x)
        if (r->formatColumns[x] >= side || r->formatRows[x] >= side) return false;
    // The first zero from position 1 on ends the list.
    r->blockCount = 0;
    for (int32_t p = 1; p < kMaxBlocks; ++p) {
        if (r->blockList[p] == 0) {
            r->blockCount = p;
            break;
        }
    }
    const int32_t e = r->eccPerBlock;
    if (r->blockCount == 0 || e == 0) return false;
    int32_t total = 0, data = 0;
    for (int32_t b = 0; b < r->blockCount; ++b) {
        const int32_t length = r->blockList[b];
        if (length <= e || length > kMaxBlockLength) return false;
        total += length;
        data += length - e;
    }
    return total == totalCodewords && data == dataCodewords;
}

}  // namespace

int32_t ReadSymbolRecords(int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records) {
    assert(version >= 1 && version <= 40);
    const int32_t side = 4 * version + 17;
    const int32_t bits = 8 * totalCodewords + remainderBits;
    assert(bits <= kModuleListSize);

    // "QRA_S%2.2d " with its eighth character, the blank, set to the level.
    char name[16];
    std::snprintf(name, sizeof name, "QRA_S%2.2d ", version);
    name[7] = levelChar;
    uint8_t* section = nullptr;
    int32_t length = 0;
    int32_t rc = ReadWholeSection(name, &section, &length);
    if (rc != kQROk) return rc;
    const bool complete = TakeRecordFields(section, length, bits, records);
    std::free(section);
    if (!complete || !RecordFitsVersion(records, side, bits, dataCodewords, totalCodewords))
        return kQRTableFileDamaged;

    std::snprintf(name, sizeof name, "QRB_S%2.2d", version);
    rc = ReadWholeSection(name, &section, &length);
    if (rc != kQROk) return rc;
    int32_t cursor = 0;
    TakeSectionBytes(section, length, records->pattern, &cursor, side * (side + 1));
    std::free(section);
    return cursor == side * (side + 1) ? kQROk : kQRTableFileDamaged;
}
