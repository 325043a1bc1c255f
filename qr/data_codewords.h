// The data half of the engine, stages 2 to 9, 12, 13 and 15 of
// EncodeQRSymbol: from a text and the settings to the version and its data
// codewords (filtering, segmentation, bit stream, version choice,
// terminator, packing) on working buffers of its own.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"
#include "qr/version_tables.h"

// The data codewords of one symbol and the counts of its version.
struct DataCodewords {
    int32_t version;         // 1 to 40; 0 when there is nothing to encode
    int32_t capacityBits;    // data capacity of the version at the level
    int32_t dataCount;       // capacityBits / 8 codewords in `bytes`
    int32_t totalCodewords;  // data + error-correction codewords of the version
    int32_t remainderBits;   // bits after the last codeword
    int32_t levelCode;       // M 0, L 1, H 2, Q 3
    uint8_t bytes[kMaxCodewords];
};

// No version holds more than this many characters of any mode (7089 digits at
// level L), so a longer filtered text fails before anything is allocated for it.
inline constexpr int32_t kMaxFilteredLength = 7089;

// Runs the data stages for `text` with the settings of EncodeQRSymbol and
// fills `out`, whatever it held before. Returns kQROk (with version 0 when
// the mode's filter kept nothing, whatever the version), kQRDoesNotFit,
// kQROutOfMemory, or kQRBadArgument for a version outside 0 to 40.
int32_t BuildDataCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                           DataCodewords* out);

// The data stages' answer for the door's PlanQRSymbol, on the same stages as
// BuildDataCodewords: the text's characters and what the mode's filter drops
// or changes, the segments, the version, its capacity and the stream's bits.
// Returns kQROk (version 0 when the filter kept nothing), kQRDoesNotFit (the
// loss and, but for too many segments, the segments still told),
// kQROutOfMemory, or kQRBadArgument.
int32_t PlanDataStages(const char* text, char levelChar, char modeChar, int32_t version,
                       QRSymbolPlan* plan);
