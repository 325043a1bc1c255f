// The engine's own small constant tables (ISO/IEC 18004, clause 7 tables 1,
// 3, 7 and 9): data capacities, codeword counts, remainder bits, and the
// character-count widths of each mode, which stages 5 to 9 of EncodeQRSymbol
// look up. The large per-version tables live in the table file instead.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"

inline constexpr int kMinVersion = kQRMinVersion;
inline constexpr int kMaxVersion = kQRMaxVersion;
inline constexpr int kMaxCodewords = 3706;  // total codewords of version 40

// Level codes of the format information (clause 7.9.1): M 0, L 1, H 2, Q 3.
enum LevelCode : int { kLevelM = 0, kLevelL = 1, kLevelH = 2, kLevelQ = 3 };

// Data modes of the bit stream, in the order of their count-width rows.
enum DataMode : int { kModeNumeric = 0, kModeAlphanumeric = 1, kModeByte = 2, kModeKanji = 3 };

// Turns a level character into its level code: 'H' 2, 'L' 1, 'Q' 3, else M 0.
int LevelCodeFromChar(char levelChar);

// Data capacity in bits of `version` (1..40) at `levelCode` (0..3).
int32_t DataCapacityBits(int levelCode, int version);

// Total codewords (data + error correction) of `version` (1..40).
int32_t TotalCodewords(int version);

// Remainder bits after the last codeword of `version` (1..40).
int32_t RemainderBits(int version);

// The 4-bit mode indicator of `mode` (clause 7.4.2, table 2).
int32_t ModeIndicator(DataMode mode);

// The width of the character-count indicator of `mode` for versions 1 to 9.
int CountWidthBase(DataMode mode);

// The 41-byte row of count-width increments of `mode`, indexed by version:
// what is added to the base width at that version (entry 0 is unused).
const uint8_t* CountWidthIncrements(DataMode mode);

// What `version` (1..40) holds at `levelCode` of `mode` in one segment after
// its mode and count indicators: *characters, every character that fits (a
// last group of fewer digits or one alphanumeric character too) up to what
// the count indicator can count, and *wholeGroups, those in whole groups only.
void ModeCapacity(int levelCode, DataMode mode, int version, int32_t* characters,
                  int32_t* wholeGroups);
