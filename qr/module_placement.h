// Building the symbol from the final codeword sequence (ISO/IEC 18004 clauses
// 7.7 to 7.9) by walking the table file's module lists: no geometry is
// computed here. The working matrix holds, in bit m of every data module,
// the module's colour under mask m, so one placement serves all eight masks.
#pragma once

#include <cstdint>

#include "qr/symbol_encoder.h"
#include "qr/symbol_records.h"

// Sets the working matrix's side and clears its side x side square, then
// places the 8 x `totalCodewords` codeword bits and the `remainderBits`
// remainder bits at the modules the records give (clause 7.7.3): a bit's
// module takes its mask byte, inverted when the bit is 1.
void PlaceCodewords(const uint8_t* finalCodewords, int32_t totalCodewords, int32_t remainderBits,
                    const SymbolRecords* records, int32_t side, ModuleMatrix* working);

// Writes both copies of the format information of `levelCode` and `mask`
// (clause 7.9.1): 0xFF for a dark module, 0x00 for a light one.
void WriteFormatInformation(int levelCode, int mask, const SymbolRecords* records,
                            ModuleMatrix* working);

// Composes the symbol under `mask` into `result`: a module is dark when bit
// `mask` of its working byte is set or the template marks it dark. Writes the
// side and only the side x side square.
void ComposeSymbol(const ModuleMatrix* working, int mask, const uint8_t* pattern,
                   ModuleMatrix* result);
