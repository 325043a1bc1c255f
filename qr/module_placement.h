// Stages 16, 18 and 19 of EncodeQRSymbol: the symbol built from the final
// codeword sequence (ISO/IEC 18004 clauses 7.7 to 7.9) by walking the table
// file's module lists; no geometry is computed here. One placement serves all
// eight masks: the working matrix holds every module under each of them.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"

// The working matrix of one encoding, the shape of a ModuleMatrix but not its
// contract: bit m of masked[x * kMaxSide + y] is the colour (1 dark) of the
// module in column x, row y under mask m. Data and remainder modules differ
// by mask; format modules are 0x00 or 0xFF, the same under every mask;
// function-pattern modules stay 0 (the template gives them).
struct WorkingMatrix {
    int16_t side;  // 4 x version + 17
    uint8_t masked[kMaxSide * kMaxSide];
};

// Sets the working matrix's side and clears its side x side square, then
// places the 8 x `totalCodewords` codeword bits and the `remainderBits`
// remainder bits at the modules the records give (clause 7.7.3): a bit's
// module takes its mask byte, inverted when the bit is 1.
void PlaceCodewords(const uint8_t* finalCodewords, int32_t totalCodewords, int32_t remainderBits,
                    const SymbolRecords* records, int32_t side, WorkingMatrix* working);

// Writes both copies of the format information of `levelCode` and `mask`
// (clause 7.9.1): 0xFF for a dark module, 0x00 for a light one.
void WriteFormatInformation(int levelCode, int mask, const SymbolRecords* records,
                            WorkingMatrix* working);

// Composes the symbol under `mask` into `result`: a module is dark when bit
// `mask` of its working byte is set or the template marks it dark. Writes the
// side and only the side x side square.
void ComposeSymbol(const WorkingMatrix* working, int mask, const uint8_t* pattern,
                   ModuleMatrix* result);
