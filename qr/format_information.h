// The format information (ISO/IEC 18004 clause 7.9): the engine's table of
// the 32 format bit strings and the module positions of its first copy. The
// second copy's positions come from the version-and-level record. Stages 17
// and 18 of EncodeQRSymbol write it.
#pragma once

#include <cstdint>

inline constexpr int kFormatBits = 15;

// The format string of `levelCode` (M 0, L 1, H 2, Q 3) and `mask` (0..7): 15
// characters '0' and '1', the most significant bit first (clause 7.9.1, the
// BCH (15,5) code exclusive-ored with 101010000010010).
const char* FormatString(int levelCode, int mask);

// Column and row of character x of the format string in the first copy
// (around the top-left finder pattern, clause 7.9.1 figure 25).
extern const uint8_t kFormatFirstCopyColumns[kFormatBits];
extern const uint8_t kFormatFirstCopyRows[kFormatBits];
