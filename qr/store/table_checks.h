// The check values of the table file: one CRC-32 (crc32.h) and length for
// every decoded section, so that a damaged section is told from an intact
// one. They are a section of their own, kTableChecksName, which the engine
// never asks for by any other name; a file without it (one written before
// check values existed) is read as before, without them.
//
// The check section decodes to lines in the directory's own layout,
// "CCCCCCCC:LLLLLLLL:NAME" and CR LF (table_directory.h), where C is the
// CRC-32 of the section NAME as decoded and L its decoded length, both in 8
// upper-case hex digits; then a 0x00; at most 8192 bytes. Its last line
// names the check section itself and gives the CRC-32 and the length of the
// bytes before that line, so that damage to the check values is told too.
#pragma once

#include <cstdint>

#include "qr/store/table_directory.h"
#include "qr/store/table_file.h"

inline constexpr char kTableChecksName[] = "QRK_CHECKS";

enum TableChecksState : int32_t {
    kTableChecksAbsent,  // the file has no check section: sections are not checked
    kTableChecksValid,   // every section is checked against its line
    kTableChecksBroken,  // the check section is damaged: no section passes
};

struct TableChecks {
    int32_t state;  // a TableChecksState
    // The check lines: an entry's offset is the CRC-32, its size the length.
    TableDirectory lines;
};

// Reads and checks the check section that `directory` lists, if it lists
// one, into `checks`. Returns kTableRead, kTableOutOfMemory, or
// kTableFileCannotOpen when the file cannot be read.
int32_t ReadTableChecks(const TableFile* table, const TableDirectory* directory,
                        TableChecks* checks);

// Checks the decoded section `name`, `length` bytes at `bytes`, against its
// check value. Returns kTableRead when the file has no check values or the
// section matches its own; else notes the failure (table_failure.h) and
// returns kTableSectionDamaged.
int32_t VerifyTableSection(const TableChecks* checks, const char* name, const uint8_t* bytes,
                           int32_t length);
