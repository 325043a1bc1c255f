// Stage 14 of EncodeQRSymbol: Reed-Solomon error correction per block
// (ISO/IEC 18004 clause 7.5), by long division with the generator rows of the
// table file: the field's multiplication is already done there, so the engine
// only shifts and exclusive-ors.
#pragma once

#include <cstdint>

// Writes into `destination` the polynomial sum of `a` (aLength bytes) and `b`
// (bLength bytes), both aligned at their highest coefficient: byte i is the
// exclusive-or of both bytes i where both have one, else the longer one's.
// Returns max(aLength, bLength). `destination` may be `a`.
int32_t PolynomialSum(const uint8_t* a, int32_t aLength, const uint8_t* b, int32_t bLength,
                      uint8_t* destination);

// The remainder of one block's data polynomial times x^E divided by the
// generator, from `rows` (256 rows of E bytes; row f = f times the generator
// below its leading term). Writes E codewords to `ecc`, highest power first.
void DivideBlock(const uint8_t* data, int32_t dataLength, const uint8_t* rows, int32_t e,
                 uint8_t* ecc);

// Builds the final codeword sequence in block order (clause 7.5.2 and 7.6,
// without the interleaving, which the module lists carry): the `dataCount`
// data codewords, then the E error-correction codewords of every block of
// `blockList` (`blockCount` block lengths), block after block, divided with
// the generator record's `rows` (256 rows of E bytes). The blocks must add up
// to the data codewords, none longer than the division register: the record
// reader checks both.
void ComputeErrorCorrection(const uint8_t* data, int32_t dataCount, int32_t e,
                            const uint8_t* blockList, int32_t blockCount, const uint8_t* rows,
                            uint8_t* finalCodewords);
