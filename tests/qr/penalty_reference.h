// The engine's six penalty rules module by module, the way they read, as the
// reference that the bit-plane scorer of penalty_planes.h is held to.
#pragma once

#include <cstdint>

#include "qr/penalty_planes.h"
#include "qr/symbol_encoder.h"

// True when column x, row y lies in one of the three 8 x 8 corner squares.
bool InCornerSquare(int32_t x, int32_t y, int32_t side);

// Scores a candidate symbol (1 dark, 0 light) rule by rule.
PenaltyRules ScorePenaltyRules(const ModuleMatrix* candidate);

// The total penalty of a candidate symbol.
int32_t PenaltyScore(const ModuleMatrix* candidate);

// Scores the same candidate through the engine's bit planes: every module
// dark or light under all eight masks, no template, mask 0 scored.
PenaltyRules ScoreThroughPlanes(const ModuleMatrix* candidate);
