// The engine's door: the one header its callers include. The records it
// speaks in (ModuleMatrix, the result codes, the plan) are the engine's
// vocabulary (qr/base/engine_types.h).
//
// EncodeQRSymbol turns a code page 932 text and the symbol settings into the
// module matrix of one QR Code symbol (ISO/IEC 18004, versions 1 to 40). The
// only things it takes from its host are the mask setting and the folder of
// the table file, through the record that its caller installs
// (engine_host.h). Between calls it keeps only decoded sections of the table
// file, which every call checks against the file as it stands
// (qr/store/table_cache.h); so it serves one thread at a time, as the host's main
// thread calls it. symbol_encoder.cpp lists its twenty stages.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"

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

// The one question for callers that must know what the engine will do with
// a text without drawing it: runs the data stages of EncodeQRSymbol with the
// same arguments and fills `plan` with the text's characters, those the
// mode's filter drops or changes, the segments, the version chosen (or
// given), its capacity and the bits of the stream. Opens no file. Returns
// kQROk (version 0 when the filter keeps nothing), kQRDoesNotFit (the loss
// still told, and the segments unless there are more than kQRMaxSegments),
// kQROutOfMemory or kQRBadArgument: what EncodeQRSymbol returns for the text
// but for the table file.
int32_t PlanQRSymbol(const char* text, char levelChar, char modeChar, int32_t version,
                     QRSymbolPlan* plan);

// What `version` (1 to 40) holds at the level of `levelChar` of the single
// mode of `modeChar` ('N', 'A', 'B', 'K') in one segment; nothing ({0, 0})
// for another mode character or version.
QRCapacity QRModeCapacity(char levelChar, char modeChar, int32_t version);

// The mask (0 to 7) whose format information at the level of `levelChar` the
// symbol `matrix` carries in its first copy, or -1 when it carries none.
int QRSymbolMask(const ModuleMatrix* matrix, char levelChar);
