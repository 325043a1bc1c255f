// The mask penalty on bit planes: every masked candidate of a symbol as rows
// and columns of bits, so that each rule scores a whole line with a few word
// operations instead of one branch per module. Gives exactly the scores of
// the module-by-module rules in mask_selection.h.
#pragma once

#include <cstdint>

#include "qr/mask_selection.h"
#include "qr/symbol_encoder.h"

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
void BuildMaskPlanes(const ModuleMatrix* working, const uint8_t* pattern, MaskPlanes* planes);

// Sets one module of mask m's candidate, in its row and its column.
void SetPlaneModule(MaskPlanes* planes, int mask, int32_t x, int32_t y, bool dark);

// Scores mask m's candidate by the six rules.
PenaltyRules ScoreMaskPlanes(const MaskPlanes* planes, int mask);
