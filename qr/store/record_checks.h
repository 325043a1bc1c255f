// The checks that the records of one version and level pass before the
// engine builds a symbol from them: what their meaning allows to check
// cheaply, without computing any of the symbol's geometry. A table file
// with check values (table_checks.h) is checked byte for byte besides; these
// also hold an older file without them to what its records mean.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"
#include "qr/store/table_failure.h"

// The version-and-level record against the version: every module position
// inside the side x side square, a block list that ends, E above 0, no block
// longer than the division register or not longer than E, and blocks that
// add up to `totalCodewords` with `dataCodewords` data codewords. Sets
// records->blockCount. Returns kTableFailureNone, kTableFailurePositionOutside
// or kTableFailureBlocks.
int32_t CheckRecordAgainstVersion(SymbolRecords* records, int32_t side, int32_t bits,
                                  int32_t dataCodewords, int32_t totalCodewords);

// The template of a symbol of `side`: only '0' and '1' in its modules, the
// three finder patterns with their separators, both timing patterns and the
// dark module beside the bottom-left finder where they belong. Returns
// kTableFailureNone or kTableFailureTemplate.
int32_t CheckTemplate(const uint8_t* pattern, int32_t side);

// The record's `bits` module positions and both format copies against each
// other and the template (checked before): no module named twice, and none
// on a finder pattern, its separator, a timing pattern or a dark module of
// the template. Returns kTableFailureNone or kTableFailurePositionRepeated.
int32_t CheckModuleUse(const SymbolRecords* records, int32_t side, int32_t bits);

// The generator record of `e` codewords: row 0 zero and the others the
// multiples of one polynomial, that is row f the exclusive-or of the rows of
// f's bits, and the last bytes of rows 1 to 255 all different. Returns
// kTableFailureNone or kTableFailureGenerator.
int32_t CheckGenerator(const uint8_t* generator, int32_t e);
