// The automatic choice of the data mask (ISO/IEC 18004 clause 7.8.3) by the
// engine's own six penalty rules, close to the standard's four but not the
// same: corner squares (the finder patterns with their separators) are left
// out of every rule, 2 x 2 blocks are taken greedily without sharing modules,
// finder-like patterns need no light border, and the dark share is truncated
// to a whole percentage before its deviation from 50 is taken.
#pragma once

#include <cstdint>

#include "qr/symbol_encoder.h"
#include "qr/symbol_records.h"

// True when column x, row y lies in one of the three 8 x 8 corner squares.
bool InCornerSquare(int32_t x, int32_t y, int32_t side);

// The score of each rule for one candidate (1 dark, 0 light).
struct PenaltyRules {
    int32_t rowRuns, columnRuns, blocks, rowFinders, columnFinders, balance;
    int32_t Total() const { return rowRuns + columnRuns + blocks + rowFinders + columnFinders + balance; }
};

// Scores a candidate symbol rule by rule.
PenaltyRules ScorePenaltyRules(const ModuleMatrix* candidate);

// The total penalty of a candidate symbol.
int32_t PenaltyScore(const ModuleMatrix* candidate);

struct MaskPlanes;

// Tries the eight masks on the working matrix: each mask's candidate, with
// its own format information and the template, is scored, and the mask with
// the lowest score wins (the lower mask on a tie). `planes` is the working
// space for the candidates. Leaves mask 7's format information in the
// working matrix. `scores`, when given, receives the eight totals.
int ChooseMask(ModuleMatrix* working, int levelCode, const SymbolRecords* records,
               MaskPlanes* planes, int32_t* scores = nullptr);
