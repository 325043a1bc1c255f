#include "tools/qrtables/function_patterns.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace qrtables {
namespace {

[[maybe_unused]] bool ValidVersion(int version) {
    return version >= kMinVersion && version <= kMaxVersion;
}

// Marks a module as a function module with the given colour.
void Mark(FunctionMap& map, int column, int row, bool isDark) {
    assert(column >= 0 && column < map.side && row >= 0 && row < map.side);
    map.reserved[row * map.side + column] = 1;
    map.dark[row * map.side + column] = isDark ? 1 : 0;
}

// A finder pattern centred at (cx, cy) with its separator ring (clauses 6.3.3
// and 6.3.4): dark 7 x 7 outline, light ring, dark 3 x 3 core, light
// separator; modules outside the symbol are left out.
void DrawFinder(FunctionMap& map, int cx, int cy) {
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const int x = cx + dx;
            const int y = cy + dy;
            if (x < 0 || x >= map.side || y < 0 || y >= map.side) continue;
            const int ring = std::max(std::abs(dx), std::abs(dy));
            Mark(map, x, y, ring != 2 && ring != 4);
        }
    }
}

// An alignment pattern centred at (cx, cy) (clause 6.3.6): dark 5 x 5
// outline, light ring, dark centre.
void DrawAlignment(FunctionMap& map, int cx, int cy) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            Mark(map, cx + dx, cy + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
}

}  // namespace

int SymbolSide(int version) {
    assert(ValidVersion(version));
    return 4 * version + 17;
}

std::vector<int> AlignmentCentres(int version) {
    assert(ValidVersion(version));
    if (version == 1) return {};
    // Annex E: the first centre is at 6, the last at side - 7, and the ones
    // between are spaced evenly from the last by an even step, the smallest
    // even step that reaches back to 6 or beyond; version 32 is the one
    // exception, with a step of 26.
    const int side = SymbolSide(version);
    const int count = version / 7 + 2;
    const int span = side - 13;
    int step = (span + count - 2) / (count - 1);
    if (step % 2 != 0) ++step;
    if (version == 32) step = 26;
    std::vector<int> centres(count);
    centres[0] = 6;
    for (int i = count - 1, c = side - 7; i >= 1; --i, c -= step) centres[i] = c;
    assert(centres[1] > centres[0]);
    return centres;
}

uint32_t VersionInformation(int version) {
    assert(version >= 7 && version <= kMaxVersion);
    // Annex D: the 12 check bits are the remainder of version x^12 divided by
    // the generator x^12 + x^11 + x^10 + x^9 + x^8 + x^5 + x^2 + 1.
    constexpr uint32_t kGenerator = 0x1F25;
    uint32_t remainder = static_cast<uint32_t>(version) << 12;
    for (int bit = 17; bit >= 12; --bit)
        if (remainder & (1u << bit)) remainder ^= kGenerator << (bit - 12);
    assert(remainder < (1u << 12));
    return (static_cast<uint32_t>(version) << 12) | remainder;
}

Module VersionInformationModule(int side, int copy, int bit) {
    assert(bit >= 0 && bit < 18 && (copy == 0 || copy == 1));
    // Clause 7.10: bit i lies in line i / 3 and place i % 3 of a block of six
    // 3-module lines; the two copies are each other's transpose.
    const int line = bit / 3;
    const int place = side - 11 + bit % 3;
    return copy == 0 ? Module{place, line} : Module{line, place};
}

std::array<Module, 15> FormatFirstCopy() {
    // Clause 7.9.1: along row 8 from the left edge, skipping the vertical
    // timing pattern in column 6, then up column 8, skipping row 6.
    return {{{0, 8},
             {1, 8},
             {2, 8},
             {3, 8},
             {4, 8},
             {5, 8},
             {7, 8},
             {8, 8},
             {8, 7},
             {8, 5},
             {8, 4},
             {8, 3},
             {8, 2},
             {8, 1},
             {8, 0}}};
}

std::array<Module, 15> FormatSecondCopy(int side) {
    std::array<Module, 15> modules{};
    for (int x = 0; x < 7; ++x) modules[x] = {8, side - 1 - x};
    for (int x = 7; x < 15; ++x) modules[x] = {side - 15 + x, 8};
    return modules;
}

FunctionMap BuildFunctionMap(int version) {
    assert(ValidVersion(version));
    FunctionMap map;
    map.side = SymbolSide(version);
    const int side = map.side;
    map.reserved.assign(side * side, 0);
    map.dark.assign(side * side, 0);

    // Timing patterns (clause 6.3.5): row 6 and column 6, dark at even
    // positions; the finders drawn next overwrite their ends.
    for (int i = 0; i < side; ++i) {
        Mark(map, i, 6, i % 2 == 0);
        Mark(map, 6, i, i % 2 == 0);
    }

    // Finder patterns with separators in three corners (clauses 6.3.3, 6.3.4).
    DrawFinder(map, 3, 3);
    DrawFinder(map, side - 4, 3);
    DrawFinder(map, 3, side - 4);

    // Alignment patterns at every pair of centres except the three that
    // would overlap a finder (clause 6.3.6).
    const std::vector<int> centres = AlignmentCentres(version);
    const int last = static_cast<int>(centres.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        for (int j = 0; j <= last; ++j) {
            if ((i == 0 && j == 0) || (i == 0 && j == last) || (i == last && j == 0)) continue;
            DrawAlignment(map, centres[i], centres[j]);
        }
    }

    // Both format information areas, light here (clause 7.9.1), and the
    // dark module beside the lower left finder.
    for (const Module& m : FormatFirstCopy()) Mark(map, m.column, m.row, false);
    for (const Module& m : FormatSecondCopy(side)) Mark(map, m.column, m.row, false);
    Mark(map, 8, side - 8, true);

    // Both version information copies from version 7 on (clause 7.10).
    if (version >= 7) {
        const uint32_t info = VersionInformation(version);
        for (int bit = 0; bit < 18; ++bit) {
            const bool isDark = ((info >> bit) & 1) != 0;
            for (int copy = 0; copy < 2; ++copy) {
                const Module m = VersionInformationModule(side, copy, bit);
                Mark(map, m.column, m.row, isDark);
            }
        }
    }
    return map;
}

std::vector<uint8_t> FunctionPatternTemplate(int version) {
    const FunctionMap map = BuildFunctionMap(version);
    std::vector<uint8_t> text;
    text.reserve(map.side * (map.side + 1));
    for (int row = 0; row < map.side; ++row) {
        for (int column = 0; column < map.side; ++column)
            text.push_back(map.IsDark(column, row) ? '1' : '0');
        text.push_back('\n');
    }
    return text;
}

}  // namespace qrtables
