#include "qr/store/symbol_records.h"

#include <cassert>
#include <cstdio>

#include "qr/store/record_checks.h"
#include "qr/store/table_cache.h"
#include "qr/store/table_failure.h"

namespace {

// Bytes of the version-and-level record after its three module lists.
constexpr int32_t kRecordTail = 2 * kFormatBits + 1 + kMaxBlocks;

// The first `needed` bytes of the section `name`; anything less, the file's
// absence included, is a damaged table, noted with its reason.
int32_t TakeSection(TableSession* session, const char* name, int32_t needed,
                    const uint8_t** bytes) {
    int32_t length = 0;
    const int32_t rc = TableSessionSection(session, name, needed, bytes, &length);
    if (rc == kTableOutOfMemory) return kQROutOfMemory;
    if (rc != kTableRead) return kQRTableFileDamaged;
    if (*bytes == nullptr || length != needed) {
        NoteTableFailure(name, *bytes == nullptr ? kTableFailureMissing : kTableFailureSize);
        return kQRTableFileDamaged;
    }
    return kQROk;
}

// Notes `failure` of the section `name` and drops the held sections, so that
// the damaged one is never taken unchecked; the engine's result for it.
int32_t Damaged(const char* name, int32_t failure) {
    NoteTableFailure(name, failure);
    DropHeldSections();
    return kQRTableFileDamaged;
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

// The three records of one session, each checked as far as its meaning
// allows (record_checks.h).
int32_t TakeRecords(TableSession* session, int32_t version, char levelChar, int32_t dataCodewords,
                    int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records) {
    const int32_t side = 4 * version + 17;
    const int32_t bits = 8 * totalCodewords + remainderBits;
    assert(bits <= kModuleListSize);

    // "QRA_S%2.2d " with its eighth character, the blank, set to the level.
    char recordName[16];
    std::snprintf(recordName, sizeof recordName, "QRA_S%2.2d ", version);
    recordName[7] = levelChar;
    const uint8_t* section = nullptr;
    int32_t rc = TakeSection(session, recordName, 3 * bits + kRecordTail, &section);
    if (rc != kQROk) return rc;
    ViewRecordFields(section, bits, records);
    int32_t failure =
        CheckRecordAgainstVersion(records, side, bits, dataCodewords, totalCodewords);
    if (failure != kTableFailureNone) return Damaged(recordName, failure);

    char templateName[16];
    std::snprintf(templateName, sizeof templateName, "QRB_S%2.2d", version);
    rc = TakeSection(session, templateName, side * (side + 1), &records->pattern);
    if (rc != kQROk) return rc;

    // The engine never divides with absent rows: a short record is damage.
    char generatorName[16];
    std::snprintf(generatorName, sizeof generatorName, "QRC_S%2.2d", records->eccPerBlock);
    rc = TakeSection(session, generatorName, 256 * records->eccPerBlock, &records->generator);
    if (rc != kQROk) return rc;

    // Held sections passed these checks when they were read, together with
    // the sections they come with (a failure drops them all): they are
    // checked again only when one of the three is new to the cache.
    if (session->decoded == 0) return kQROk;
    if ((failure = CheckTemplate(records->pattern, side)) != kTableFailureNone)
        return Damaged(templateName, failure);
    if ((failure = CheckModuleUse(records, side, bits)) != kTableFailureNone)
        return Damaged(recordName, failure);
    if ((failure = CheckGenerator(records->generator, records->eccPerBlock)) != kTableFailureNone)
        return Damaged(generatorName, failure);
    return kQROk;
}

}  // namespace

int32_t ReadSymbolRecords(const char* path, int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records) {
    assert(path != nullptr && version >= 1 && version <= 40);
    ClearTableFailure();
    TableSession session;
    if (OpenTableSession(path, &session) != kTableRead) return kQRTableFileDamaged;
    const int32_t rc = TakeRecords(&session, version, levelChar, dataCodewords, totalCodewords,
                                   remainderBits, records);
    CloseTableSession(&session);
    return rc;
}
