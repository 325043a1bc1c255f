// The format information (ISO/IEC 18004 clause 7.9): the engine's table of
// the 32 format bit strings. The module positions of the first copy are in
// the vocabulary (qr/base/engine_types.h), those of the second copy in the
// version-and-level record. Stages 17 and 18 of EncodeQRSymbol write it.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"

// The format string of `levelCode` (M 0, L 1, H 2, Q 3) and `mask` (0..7): 15
// characters '0' and '1', the most significant bit first (clause 7.9.1, the
// BCH (15,5) code exclusive-ored with 101010000010010).
const char* FormatString(int levelCode, int mask);
