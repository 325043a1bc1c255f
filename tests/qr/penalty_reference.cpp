#include "tests/qr/penalty_reference.h"

#include <cassert>
#include <cstring>
#include <memory>

#include "qr/module_placement.h"
#include "qr/store/symbol_records.h"

namespace {

// A cell of a scored line: light, dark, or out of play (a corner square, or
// for the block rule a module already counted in a block).
enum Cell : uint8_t { kLight = 0, kDark = 1, kUsed = 2 };

constexpr int32_t kCells = kMaxSide * kMaxSide;

// Rules 1 and 2: runs of five or more cells of one colour along one line
// score their length less 2; a corner cell ends a run.
int32_t ScoreRuns(const uint8_t* line, int32_t side) {
    int32_t score = 0;
    int32_t x = 0;
    while (x < side) {
        const uint8_t c = line[x];
        if (c == kUsed) {
            ++x;
            continue;
        }
        int32_t run = 1;
        while (x + run < side && line[x + run] == c) ++run;
        if (run >= 5) score += run - 2;
        x += run;
    }
    return score;
}

// Rules 4 and 5: dark, light, dark, dark, dark, light, dark along one line,
// 40 each; the scan jumps past a pattern it counts, and the last start it
// tries is side - 8.
int32_t ScoreFinders(const uint8_t* line, int32_t side) {
    static constexpr uint8_t kPattern[7] = {kDark, kLight, kDark, kDark, kDark, kLight, kDark};
    int32_t score = 0;
    int32_t x = 0;
    while (x < side - 7) {
        int i = 0;
        while (i < 7 && line[x + i] == kPattern[i]) ++i;
        if (i == 7) {
            score += 40;
            x += 7;
        } else {
            ++x;
        }
    }
    return score;
}

// Rule 3: 2 x 2 blocks of one colour, taken greedily from the top left; a
// counted block takes its two lower cells out of play. `rows` is row-major.
int32_t ScoreBlocks(const uint8_t* rows, int32_t side) {
    uint8_t previous[kMaxSide], current[kMaxSide];
    for (int32_t x = 0; x < side; ++x) current[x] = rows[x];
    int32_t score = 0;
    for (int32_t y = 1; y < side; ++y) {
        for (int32_t x = 0; x < side; ++x) {
            previous[x] = current[x];
            current[x] = rows[y * side + x];
        }
        int32_t x = 1;
        while (x < side) {
            const uint8_t c = current[x];
            if (c != kUsed && current[x - 1] == c && previous[x] == c && previous[x - 1] == c) {
                score += 3;
                current[x - 1] = current[x] = kUsed;
                x += 2;
            } else {
                ++x;
            }
        }
    }
    return score;
}

}  // namespace

bool InCornerSquare(int32_t x, int32_t y, int32_t side) {
    const bool left = x < 8, top = y < 8;
    return (left && top) || (x >= side - 8 && top) || (left && y >= side - 8);
}

PenaltyRules ScorePenaltyRules(const ModuleMatrix* candidate) {
    const int32_t side = candidate->side;
    assert(side >= 21 && side <= kMaxSide);
    // The candidate as cells, once column by column and once row by row, so
    // that every rule reads contiguous lines.
    uint8_t byColumn[kCells], byRow[kCells];
    int32_t dark = 0;
    for (int32_t x = 0; x < side; ++x) {
        const uint8_t* column = candidate->modules + x * kMaxSide;
        for (int32_t y = 0; y < side; ++y) {
            uint8_t c = column[y] ? kDark : kLight;
            if (InCornerSquare(x, y, side)) c = kUsed;
            dark += c == kDark;
            byColumn[x * side + y] = c;
            byRow[y * side + x] = c;
        }
    }
    PenaltyRules p{};
    for (int32_t i = 0; i < side; ++i) {
        p.rowRuns += ScoreRuns(byRow + i * side, side);
        p.columnRuns += ScoreRuns(byColumn + i * side, side);
        p.rowFinders += ScoreFinders(byRow + i * side, side);
        p.columnFinders += ScoreFinders(byColumn + i * side, side);
    }
    p.blocks = ScoreBlocks(byRow, side);
    p.balance = BalancePenalty(dark, side * side - 192);
    return p;
}

int32_t PenaltyScore(const ModuleMatrix* candidate) {
    return ScorePenaltyRules(candidate).Total();
}

PenaltyRules ScoreThroughPlanes(const ModuleMatrix* candidate) {
    auto working = std::make_unique<WorkingMatrix>();
    std::memset(working.get(), 0, sizeof *working);
    working->side = candidate->side;
    for (int32_t i = 0; i < kMaxSide * kMaxSide; ++i)
        working->masked[i] = candidate->modules[i] ? 0xFF : 0x00;
    // A template of light modules: side rows of side characters and a separator.
    auto pattern = std::make_unique<uint8_t[]>(kTemplateSize);
    std::memset(pattern.get(), '0', kTemplateSize);
    auto planes = std::make_unique<MaskPlanes>();
    BuildMaskPlanes(working.get(), pattern.get(), planes.get());
    return ScoreMaskPlanes(planes.get(), 0);
}
