#include "qr/symbol_records.h"

#include <cassert>
#include <cstdio>

#include "qr/table_cache.h"

namespace {

// Bytes of the version-and-level record after its three module lists.
constexpr int32_t kRecordTail = 2 * kFormatBits + 1 + kMaxBlocks;

// The first `needed` bytes of the section `name`; anything less, the file's
// absence included, is a damaged table.
int32_t TakeSection(TableSession* session, const char* name, int32_t needed,
                    const uint8_t** bytes) {
    int32_t length = 0;
    const int32_t rc = TableSessionSection(session, name, needed, bytes, &length);
    if (rc == kTableOutOfMemory) return kQROutOfMemory;
    return rc == kTableRead && *bytes != nullptr && length == needed ? kQROk : kQRTableFileDamaged;
}

// Lays the record's seven fields over the section's `bits`-entry lists.
void ViewRecordFields(const uint8_t* section, int32_t bits, SymbolRecords* r) {
    r->columns = section;
    r->rows = section + bits;
    r->maskBits = section + 2 * bits;
    r->formatColumns = section + 3 * bits;
    r->formatRows = r->formatColumns + kFormatBits;
    r->eccPerBlock = r->formatRows[kFormatBits];
    r->blockList = r->formatRows + kFormatBits + 1;
}

// Checks the record against the version: positions inside the symbol,
// a block list that ends, and blocks that add up to the codeword counts.
bool RecordFitsVersion(SymbolRecords* r, int32_t side, int32_t bits, int32_t dataCodewords,
                       int32_t totalCodewords) {
    // Branch-free over the lists: they are long, and a damaged one is rare.
    bool inside = true;
    for (int32_t k = 0; k < bits; ++k) inside &= (r->columns[k] < side) & (r->rows[k] < side);
    if (!inside) return false;
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

// The three records of one session.
int32_t TakeRecords(TableSession* session, int32_t version, char levelChar, int32_t dataCodewords,
                    int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records) {
    const int32_t side = 4 * version + 17;
    const int32_t bits = 8 * totalCodewords + remainderBits;
    assert(bits <= kModuleListSize);

    // "QRA_S%2.2d " with its eighth character, the blank, set to the level.
    char name[16];
    std::snprintf(name, sizeof name, "QRA_S%2.2d ", version);
    name[7] = levelChar;
    const uint8_t* section = nullptr;
    int32_t rc = TakeSection(session, name, 3 * bits + kRecordTail, &section);
    if (rc != kQROk) return rc;
    ViewRecordFields(section, bits, records);
    if (!RecordFitsVersion(records, side, bits, dataCodewords, totalCodewords))
        return kQRTableFileDamaged;

    std::snprintf(name, sizeof name, "QRB_S%2.2d", version);
    rc = TakeSection(session, name, side * (side + 1), &records->pattern);
    if (rc != kQROk) return rc;

    // The engine never divides with absent rows: a short record is damage.
    std::snprintf(name, sizeof name, "QRC_S%2.2d", records->eccPerBlock);
    return TakeSection(session, name, 256 * records->eccPerBlock, &records->generator);
}

}  // namespace

int32_t ReadSymbolRecords(int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records) {
    assert(version >= 1 && version <= 40);
    TableSession session;
    if (OpenTableSession(&session) != kTableRead) return kQRTableFileDamaged;
    const int32_t rc = TakeRecords(&session, version, levelChar, dataCodewords, totalCodewords,
                                   remainderBits, records);
    CloseTableSession(&session);
    return rc;
}
