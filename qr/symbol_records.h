// Stages 10 and 11 of EncodeQRSymbol: the per-version tables an encoding
// reads from the table file, the version-and-level record (where every
// codeword bit goes, its eight mask bits, the second format copy, the
// error-correction blocks) and the function-pattern template.
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

struct SymbolRecords {
    uint8_t columns[kModuleListSize];   // column of bit k's module
    uint8_t rows[kModuleListSize];      // row of bit k's module
    uint8_t maskBits[kModuleListSize];  // bit m: mask m's condition holds there
    uint8_t formatColumns[kFormatBits]; // second format copy
    uint8_t formatRows[kFormatBits];
    uint8_t eccPerBlock;                // E
    uint8_t blockList[kMaxBlocks];      // block lengths, ended by 0
    int32_t blockCount;
    uint8_t pattern[kTemplateSize];     // side rows of side + 1 bytes; '1' dark
};

// Reads the version-and-level record of `version` and `levelChar` and the
// version's template into `records` (zero-filled by the caller), and checks
// them against the version's geometry: every position inside the side x
// side square, blocks that add up to `totalCodewords` with `dataCodewords`
// data codewords, no block longer than the division register. Returns kQROk,
// kQRTableFileDamaged for a missing, short or inconsistent record, or
// kQROutOfMemory.
int32_t ReadSymbolRecords(int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records);
