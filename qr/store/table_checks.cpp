#include "qr/store/table_checks.h"

#include <cassert>

#include "qr/store/crc32.h"
#include "qr/store/table_failure.h"

int32_t ReadTableChecks(const TableFile* table, const TableDirectory* directory,
                        TableChecks* checks) {
    checks->state = kTableChecksAbsent;
    checks->lines.end = 0;
    checks->lines.entryCount = 0;
    const TableEntry* entry = FindTableEntry(directory, kTableChecksName);
    if (entry == nullptr) return kTableRead;

    // Decoded straight into the lines' bytes: the section holds no more. An
    // absent, misplaced or empty section leaves the lines without an entry,
    // and so the checks broken.
    checks->state = kTableChecksBroken;
    int32_t length = 0;
    const int32_t rc = ReadTableEntryInto(table, directory, kTableChecksName, *entry,
                                          checks->lines.bytes, kTableDirectorySize, &length);
    if (rc == kTableOutOfMemory || rc == kTableFileCannotOpen) return rc;  // nothing to hold
    if (rc != kTableRead) return kTableRead;
    IndexTableDirectory(&checks->lines, length);

    const TableEntry* self = FindTableEntry(&checks->lines, kTableChecksName);
    if (self == nullptr) return kTableRead;
    const int32_t covered = self->nameAt - 18;  // the bytes before the last line
    if (self->size == static_cast<uint32_t>(covered) &&
        self->offset == Crc32(checks->lines.bytes, static_cast<size_t>(covered)))
        checks->state = kTableChecksValid;
    return kTableRead;
}

int32_t VerifyTableSection(const TableChecks* checks, const char* name, const uint8_t* bytes,
                           int32_t length) {
    if (checks->state == kTableChecksAbsent) return kTableRead;
    if (checks->state == kTableChecksBroken) {
        NoteTableFailure(kTableChecksName, kTableFailureCheckMismatch);
        return kTableSectionDamaged;
    }
    const TableEntry* check = FindTableEntry(&checks->lines, name);
    if (check == nullptr) {
        NoteTableFailure(name, kTableFailureNoCheck);
        return kTableSectionDamaged;
    }
    if (check->size != static_cast<uint32_t>(length)) {
        NoteTableFailure(name, kTableFailureLength);
        return kTableSectionDamaged;
    }
    assert(bytes != nullptr || length == 0);
    if (check->offset != Crc32(bytes, static_cast<size_t>(length))) {
        NoteTableFailure(name, kTableFailureCheckMismatch);
        return kTableSectionDamaged;
    }
    return kTableRead;
}
