// Stages 10 and 11 of EncodeQRSymbol: the per-version tables an encoding
// reads from the table file, all in one session of the table cache: the
// version-and-level record (where every codeword bit goes, its eight mask
// bits, the second format copy, the error-correction blocks), the
// function-pattern template, and the generator record of the blocks'
// error-correction codewords, which stage 14 divides with.
#pragma once

#include <cstdint>

#include "qr/format_information.h"
#include "qr/symbol_encoder.h"

// Most bit positions of a symbol, with a little room: version 40 has
// 8 x 3706 + 0 remainder bits = 29648.
inline constexpr int32_t kModuleListSize = 29656;
// The template: 177 rows of 177 characters and a separator, and a margin.
inline constexpr int32_t kTemplateSize = kMaxSide * kMaxSide + kMaxSide + 32;
// Longest block list, and the longest block the division register holds.
inline constexpr int32_t kMaxBlocks = 128;
inline constexpr int32_t kMaxBlockLength = 256;

// The records of one version and level, as views into the sections the
// table cache holds: valid until the next table read or the cache's reset.
// The fields of the version-and-level record follow each other in it.
struct SymbolRecords {
    const uint8_t* columns;        // column of bit k's module, N entries
    const uint8_t* rows;           // row of bit k's module
    const uint8_t* maskBits;       // bit m: mask m's condition holds there
    const uint8_t* formatColumns;  // second format copy, kFormatBits entries
    const uint8_t* formatRows;
    int32_t eccPerBlock;           // E
    const uint8_t* blockList;      // kMaxBlocks block lengths, ended by 0
    int32_t blockCount;
    const uint8_t* pattern;        // side rows of side + 1 bytes; '1' dark
    const uint8_t* generator;      // 256 rows of E bytes
};

// Reads the version-and-level record of `version` and `levelChar`, the
// version's template and the generator record of the record's E into
// `records`, opening the table file once, and checks them (record_checks.h):
// every position inside the side x side square and used once, blocks that
// add up to `totalCodewords` with `dataCodewords` data codewords, no block
// longer than the division register, a template of '0' and '1' with its
// finder and timing patterns, 256 x E generator bytes that are the multiples
// of one polynomial. Returns kQROk, kQROutOfMemory, or kQRTableFileDamaged
// for a missing file or a missing, short, damaged or inconsistent record,
// with the section and the reason noted (table_failure.h).
int32_t ReadSymbolRecords(int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records);
