// Where the bits of the codeword sequence go in a QR Code symbol.
#pragma once

#include <vector>

#include "tools/qrtables/block_table.h"
#include "tools/qrtables/function_patterns.h"

namespace qrtables {

// Every module free for codeword and remainder bits, in the order the
// placement fills them (ISO/IEC 18004 clause 7.7.3): two-module-wide columns
// from the right edge, right module before left, upward in the first column
// pair and alternately downward and upward after it, the column pair left of
// the vertical timing pattern taking its place, reserved modules skipped.
std::vector<Module> PlacementWalk(const FunctionMap& map);

// For each codeword of the block-ordered sequence (all data codewords block
// after block, then the error-correction codewords block after block), its
// position in the interleaved sequence of clause 7.6: data codeword i of
// every block that has one, then error-correction codeword i of every block.
std::vector<int> InterleavedPositions(const BlockLayout& layout);

// For bit k = 8 p + i of the block-ordered sequence (bit i of codeword p, 0
// the most significant), the module that holds it in the interleaved symbol;
// the remainder bits after the last codeword follow in placement order.
// DataModuleCount(version) entries.
std::vector<Module> BitModules(const FunctionMap& map, const BlockLayout& layout);

}  // namespace qrtables
