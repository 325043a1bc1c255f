// The mask penalty: the engine's six rules, close to the four of ISO/IEC
// 18004 clause 7.8.3 but not the same, scored on bit planes.
//
// The corner squares (the three 8 x 8 squares of a finder pattern and its
// separator) are left out of every rule: they break runs, make no block or
// pattern and are not counted in the balance.
//   1, 2  runs of five or more modules of one colour along a row (a column)
//         score their length less 2;
//   3     2 x 2 blocks of one colour score 3 each, taken greedily from the top
//         left; a counted block takes its two lower modules out of play;
//   4, 5  dark, light, dark, dark, dark, light, dark along a row (a column)
//         scores 40, with no light border needed; the scan jumps past a
//         pattern it counts and its last start is side - 8;
//   6     the dark share, truncated to a whole percentage, scores 10 for
//         every full 5 of its deviation from 50.
// Every masked candidate of a symbol is held as rows and columns of bits, so
// that each rule scores a whole line with a few word operations instead of
// one branch per module.
#pragma once

#include <cstdint>

#include "qr/module_placement.h"
#include "qr/symbol_encoder.h"

// The score of each rule for one candidate.
struct PenaltyRules {
    int32_t rowRuns, columnRuns, blocks, rowFinders, columnFinders, balance;
    int32_t Total() const {
        return rowRuns + columnRuns + blocks + rowFinders + columnFinders + balance;
    }
};

// Rule 6 for `dark` dark modules among the `counted` modules outside the
// corner squares (counted > 0).
int32_t BalancePenalty(int32_t dark, int32_t counted);

// Words of one line of up to 177 modules; bit i of the line is module i.
inline constexpr int kLineWords = 3;

struct BitLine {
    uint64_t w[kLineWords];
};

// The eight candidates of one working matrix: bit set = dark module.
struct MaskPlanes {
    int32_t side;
    BitLine rows[8][kMaxSide];     // row y, bit x
    BitLine columns[8][kMaxSide];  // column x, bit y
    BitLine scoredRows[kMaxSide];  // modules inside the side and outside the corner squares
    BitLine scoredColumns[kMaxSide];
};

// Builds the planes of all eight masks from the working matrix and the
// template, one pass over the modules: a module is dark under mask m when bit
// m of its working byte is set or the template marks it dark.
void BuildMaskPlanes(const WorkingMatrix* working, const uint8_t* pattern, MaskPlanes* planes);

// Sets one module of mask m's candidate, in its row and its column.
void SetPlaneModule(MaskPlanes* planes, int mask, int32_t x, int32_t y, bool dark);

// Scores mask m's candidate by the six rules.
PenaltyRules ScoreMaskPlanes(const MaskPlanes* planes, int mask);
