// The one entry point of the QR symbol engine and its result record.
//
// EncodeQRSymbol turns a code page 932 text and the symbol settings into the
// module matrix of one QR Code symbol (ISO/IEC 18004, versions 1 to 40). The
// only things it takes from its host are the mask setting and the folder of
// the table file, through the record that its caller installs
// (engine_host.h). Between calls it keeps only decoded sections of the table
// file, which every call checks against the file as it stands
// (table_cache.h); so it serves one thread at a time, as the host's main
// thread calls it. symbol_encoder.cpp lists its twenty stages.
#pragma once

#include <cstdint>

// Side of a version-40 symbol: one ModuleMatrix holds every version.
inline constexpr int kMaxSide = 177;

// The square of dark and light modules of one symbol. The module in column x,
// row y (0, 0 at the top left) is modules[x * kMaxSide + y]: 1 dark, 0 light.
// Only the side x side square at the top left is ever written.
struct ModuleMatrix {
    int16_t side;  // 4 x version + 17, or 0 for "no symbol"
    uint8_t modules[kMaxSide * kMaxSide];
};

// Return codes of EncodeQRSymbol and of the engine's stages.
enum QRResult : int32_t {
    kQROk = 0,                  // symbol written, or nothing to encode (side 0)
    kQRDoesNotFit = -1,         // the data fits neither the given version nor any up to 40
    kQRTableFileDamaged = -2,   // the table file is missing, unreadable or damaged
    kQROutOfMemory = -3,        // a working buffer could not be allocated
    kQRBadArgument = -4,        // a null pointer, or a version outside 0 to 40
};

// Encodes `text` (NUL-terminated, code page 932) at error-correction level
// `levelChar` ('L', 'M', 'Q', 'H'; anything else reads as 'M') in the mode of
// `modeChar` ('N', 'A', 'B', 'K'; anything else is mixed Kanji/byte) into
// `result`. `version` 0 chooses the smallest version that holds the data,
// 1 to 40 forces that version. Returns a QRResult; `result->side` is 0 unless
// a symbol was written.
int32_t EncodeQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                       ModuleMatrix* result);

// The codewords of a symbol, for inspection: the data codewords followed by
// the error-correction codewords of every block, block after block.
struct QRCodewords {
    int32_t version;    // 0 when the mode's filter kept nothing
    int32_t dataCount;  // data codewords at the start of `bytes`
    int32_t eccCount;   // error-correction codewords after them
    uint8_t bytes[3706];
};

// Runs the stages of EncodeQRSymbol up to the error correction and fills
// `codewords`. Returns the same codes as EncodeQRSymbol.
int32_t EncodeQRCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                          QRCodewords* codewords);
