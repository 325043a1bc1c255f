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

#include <cstddef>
#include <cstdint>

#include "qr/base/engine_types.h"
#include "qr/module_placement.h"

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

// The eight candidates of one working matrix: bit set = dark module. Each
// line takes only the words its side needs (one up to side 64, two up to
// 128, three beyond), and the lines lie one after another, so that a small
// symbol is built and scored in a small corner of the record, and a record
// of MaskPlanesSize(side) bytes holds the planes of that side.
struct MaskPlanes {
    int32_t side;
    int32_t words;  // words per line: (side + 63) / 64
    // The modules inside the side and outside the corner squares, line by
    // line: the same for a row and the column of the same number, since the
    // three corners lie symmetric about the diagonal.
    uint64_t scored[kMaxSide * kLineWords];
    // Mask m's row y at (m * side + y) * words, its column x at
    // (8 + m) * side * words + x * words; bit x of a row, bit y of a column.
    uint64_t lines[2 * 8 * kMaxSide * kLineWords];
};

// Bytes of a MaskPlanes record that holds the planes of `side`.
inline size_t MaskPlanesSize(int32_t side) {
    const size_t words = static_cast<size_t>(side + 63) / 64;
    return offsetof(MaskPlanes, lines) + sizeof(uint64_t) * 2 * 8 * side * words;
}

// Builds the planes of all eight masks from the working matrix and the
// template into `planes` (at least MaskPlanesSize(side) bytes), one pass over
// the modules: a module is dark under mask m when bit m of its working byte
// is set or the template marks it dark.
void BuildMaskPlanes(const WorkingMatrix* working, const uint8_t* pattern, MaskPlanes* planes);

// Sets the module in column x, row y of all eight candidates, in its row and
// its column: bit m of `masked` is its colour under mask m.
void SetPlaneModules(MaskPlanes* planes, int32_t x, int32_t y, uint8_t masked);

// Scores mask m's candidate by the six rules.
PenaltyRules ScoreMaskPlanes(const MaskPlanes* planes, int mask);
