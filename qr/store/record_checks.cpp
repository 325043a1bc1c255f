#include "qr/store/record_checks.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "qr/base/engine_types.h"

namespace {

// Side of the finder pattern, and of its corner with the separator.
constexpr int32_t kFinderSide = 7;
constexpr int32_t kCornerSide = 8;
// Row and column of the timing patterns.
constexpr int32_t kTimingLine = 6;

// One bit per module of the largest symbol, cleared only for the side used.
struct ModuleSet {
    uint64_t words[(kMaxSide * kMaxSide + 63) / 64];
};

void ClearModuleSet(ModuleSet* set, int32_t side) {
    std::memset(set->words, 0, static_cast<size_t>((side * side + 63) / 64) * sizeof(uint64_t));
}

// Adds the module; false when it was in the set already.
bool AddModule(ModuleSet* set, int32_t side, int32_t column, int32_t row) {
    const int32_t i = column * side + row;
    const uint64_t bit = uint64_t{1} << (i & 63);
    const bool fresh = (set->words[i >> 6] & bit) == 0;
    set->words[i >> 6] |= bit;
    return fresh;
}

char TemplateAt(const uint8_t* pattern, int32_t side, int32_t column, int32_t row) {
    return static_cast<char>(pattern[row * (side + 1) + column]);
}

// Whether the module at (column, row) of a corner whose finder pattern
// starts at (c0, r0) is dark: the finder's outer ring and 3 x 3 centre are,
// its inner ring and the separator around it are not.
bool FinderDark(int32_t column, int32_t row, int32_t c0, int32_t r0) {
    const int32_t dc = column - c0, dr = row - r0;
    if (dc < 0 || dr < 0 || dc >= kFinderSide || dr >= kFinderSide) return false;
    const int32_t ring = std::max(dc > 3 ? dc - 3 : 3 - dc, dr > 3 ? dr - 3 : 3 - dr);
    return ring != 2;
}

}  // namespace

int32_t CheckRecordAgainstVersion(SymbolRecords* r, int32_t side, int32_t bits,
                                  int32_t dataCodewords, int32_t totalCodewords) {
    // Branch-free over the lists: they are long, and a damaged one is rare.
    bool inside = true;
    for (int32_t k = 0; k < bits; ++k) inside &= (r->columns[k] < side) & (r->rows[k] < side);
    for (int x = 0; x < kFormatBits; ++x)
        inside &= (r->formatColumns[x] < side) & (r->formatRows[x] < side);
    if (!inside) return kTableFailurePositionOutside;
    // The first zero from position 1 on ends the list.
    r->blockCount = 0;
    for (int32_t p = 1; p < kMaxBlocks; ++p) {
        if (r->blockList[p] == 0) {
            r->blockCount = p;
            break;
        }
    }
    const int32_t e = r->eccPerBlock;
    if (r->blockCount == 0 || e == 0) return kTableFailureBlocks;
    int32_t total = 0, data = 0;
    for (int32_t b = 0; b < r->blockCount; ++b) {
        const int32_t length = r->blockList[b];
        if (length <= e || length > kMaxBlockLength) return kTableFailureBlocks;
        total += length;
        data += length - e;
    }
    return total == totalCodewords && data == dataCodewords ? kTableFailureNone
                                                            : kTableFailureBlocks;
}

int32_t CheckTemplate(const uint8_t* pattern, int32_t side) {
    assert(side >= 21 && side <= kMaxSide);
    bool symbols = true;
    for (int32_t row = 0; row < side; ++row) {
        const uint8_t* line = pattern + row * (side + 1);
        for (int32_t column = 0; column < side; ++column)
            symbols &= (line[column] == '0') | (line[column] == '1');
    }
    if (!symbols) return kTableFailureTemplate;
    // The three corners: finder and separator.
    const int32_t far = side - kCornerSide;
    const int32_t corners[3][2] = {{0, 0}, {far, 0}, {0, far}};
    for (const auto& corner : corners) {
        // The finder sits in the corner of the symbol, the separator inside.
        const int32_t c0 = corner[0] == 0 ? 0 : corner[0] + 1;
        const int32_t r0 = corner[1] == 0 ? 0 : corner[1] + 1;
        for (int32_t dc = 0; dc < kCornerSide; ++dc) {
            for (int32_t dr = 0; dr < kCornerSide; ++dr) {
                const int32_t column = corner[0] + dc, row = corner[1] + dr;
                const char want = FinderDark(column, row, c0, r0) ? '1' : '0';
                if (TemplateAt(pattern, side, column, row) != want) return kTableFailureTemplate;
            }
        }
    }
    // The timing patterns between the separators: dark at even positions.
    for (int32_t i = kCornerSide; i < far; ++i) {
        const char want = i % 2 == 0 ? '1' : '0';
        if (TemplateAt(pattern, side, i, kTimingLine) != want ||
            TemplateAt(pattern, side, kTimingLine, i) != want)
            return kTableFailureTemplate;
    }
    return TemplateAt(pattern, side, kCornerSide, far) == '1' ? kTableFailureNone
                                                              : kTableFailureTemplate;
}

int32_t CheckModuleUse(const SymbolRecords* r, int32_t side, int32_t bits) {
    ModuleSet used;
    ClearModuleSet(&used, side);
    // What no bit may take: the corners, the timing lines, the dark modules.
    const int32_t far = side - kCornerSide;
    for (int32_t a = 0; a < kCornerSide; ++a) {
        for (int32_t b = 0; b < kCornerSide; ++b) {
            AddModule(&used, side, a, b);
            AddModule(&used, side, far + a, b);
            AddModule(&used, side, a, far + b);
        }
    }
    for (int32_t i = 0; i < side; ++i) {
        AddModule(&used, side, i, kTimingLine);
        AddModule(&used, side, kTimingLine, i);
    }
    for (int32_t row = 0; row < side; ++row)
        for (int32_t column = 0; column < side; ++column)
            if (TemplateAt(r->pattern, side, column, row) == '1')
                AddModule(&used, side, column, row);
    // Then each format module and each bit once.
    bool once = true;
    for (int x = 0; x < kFormatBits; ++x) {
        once &= AddModule(&used, side, kFormatFirstCopyColumns[x], kFormatFirstCopyRows[x]);
        once &= AddModule(&used, side, r->formatColumns[x], r->formatRows[x]);
    }
    for (int32_t k = 0; k < bits; ++k) once &= AddModule(&used, side, r->columns[k], r->rows[k]);
    return once ? kTableFailureNone : kTableFailurePositionRepeated;
}

int32_t CheckGenerator(const uint8_t* generator, int32_t e) {
    assert(e > 0);
    for (int32_t i = 0; i < e; ++i)
        if (generator[i] != 0) return kTableFailureGenerator;
    bool seen[256] = {};
    for (int32_t f = 1; f < 256; ++f) {
        const uint8_t* row = generator + f * e;
        const uint8_t last = row[e - 1];
        if (last == 0 || seen[last]) return kTableFailureGenerator;
        seen[last] = true;
        const int32_t low = f & -f;  // f's lowest bit
        if (low == f) continue;     // a row of one bit stands for itself
        const uint8_t* a = generator + low * e;
        const uint8_t* b = generator + (f - low) * e;
        uint8_t differ = 0;
        for (int32_t i = 0; i < e; ++i) differ |= row[i] ^ a[i] ^ b[i];
        if (differ != 0) return kTableFailureGenerator;
    }
    return kTableFailureNone;
}
