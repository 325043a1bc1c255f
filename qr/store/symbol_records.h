// Stages 10 and 11 of EncodeQRSymbol: the per-version tables an encoding
// reads from the table file, all in one session of the table cache: the
// version-and-level record (where every codeword bit goes, its eight mask
// bits, the second format copy, the error-correction blocks), the
// function-pattern template, and the generator record of the blocks'
// error-correction codewords, which stage 14 divides with.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"

// Reads the version-and-level record of `version` and `levelChar`, the
// version's template and the generator record of the record's E into
// `records`, opening the table file at `path` once, and checks them
// (record_checks.h): every position inside the side x side square and used
// once, blocks that add up to `totalCodewords` with `dataCodewords` data codewords, no block
// longer than the division register, a template of '0' and '1' with its
// finder and timing patterns, 256 x E generator bytes that are the multiples
// of one polynomial. Returns kQROk, kQROutOfMemory, or kQRTableFileDamaged
// for a missing file or a missing, short, damaged or inconsistent record,
// with the section and the reason noted (table_failure.h).
int32_t ReadSymbolRecords(const char* path, int32_t version, char levelChar, int32_t dataCodewords,
                          int32_t totalCodewords, int32_t remainderBits, SymbolRecords* records);
