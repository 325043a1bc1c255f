// The error-correction block structure of every QR Code version and level.
#pragma once

#include <cstdint>
#include <vector>

namespace qrtables {

// Error-correction levels in the order the table file lists them.
inline constexpr int kLevelCount = 4;
inline constexpr char kLevelLetters[kLevelCount + 1] = "LMQH";

// How the codewords of one version and level are split into blocks.
struct BlockLayout {
    int ecPerBlock = 0;             // E, error-correction codewords of every block
    std::vector<int> blockLengths;  // total codewords of each block, shorter first
    int dataCodewords = 0;          // data codewords of the whole symbol
    int totalCodewords = 0;         // data plus error correction
};

// Modules of `version` that carry codeword or remainder bits: all but the
// function patterns and the format and version areas (ISO/IEC 18004 clause
// 7.7.2).
int DataModuleCount(int version);

// Total codewords of `version`: the data modules counted in whole bytes
// (clause 7.7.2, table 1).
int TotalCodewords(int version);

// Remainder bits of `version`: the data modules left over after the last
// whole codeword (clause 7.7.3, table 1).
int RemainderBits(int version);

// The block layout of `version` (1 to 40) at level index 0 to 3 (L, M, Q, H)
// (clause 7.5.1, table 9): blocks with fewer data codewords first, their
// lengths differing by at most one.
BlockLayout BlockLayoutFor(int version, int level);

// Every E that occurs in table 9, ascending.
std::vector<int> DistinctEcPerBlock();

}  // namespace qrtables
