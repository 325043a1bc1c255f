#include "qr/penalty_planes.h"

#include <bit>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace {

// One line of W words, bit i of the line being module i.
template <int W>
struct Line {
    uint64_t w[W];
};

template <int W>
inline Line<W> Load(const uint64_t* p) {
    Line<W> a;
    for (int i = 0; i < W; ++i) a.w[i] = p[i];
    return a;
}

// Line i <- line i + k (towards bit 0), 0 < k < 64; bits shifted in are 0.
template <int W>
inline Line<W> Down(const Line<W>& a, int k) {
    Line<W> r;
    for (int i = 0; i < W - 1; ++i) r.w[i] = (a.w[i] >> k) | (a.w[i + 1] << (64 - k));
    r.w[W - 1] = a.w[W - 1] >> k;
    return r;
}

// Line i <- line i - k (away from bit 0), 0 < k < 64.
template <int W>
inline Line<W> Up(const Line<W>& a, int k) {
    Line<W> r;
    r.w[0] = a.w[0] << k;
    for (int i = 1; i < W; ++i) r.w[i] = (a.w[i] << k) | (a.w[i - 1] >> (64 - k));
    return r;
}

template <int W>
inline Line<W> And(const Line<W>& a, const Line<W>& b) {
    Line<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = a.w[i] & b.w[i];
    return r;
}

template <int W>
inline Line<W> AndNot(const Line<W>& a, const Line<W>& b) {
    Line<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = a.w[i] & ~b.w[i];
    return r;
}

template <int W>
inline Line<W> Or(const Line<W>& a, const Line<W>& b) {
    Line<W> r;
    for (int i = 0; i < W; ++i) r.w[i] = a.w[i] | b.w[i];
    return r;
}

// Bits set in one word. Without a population-count instruction in the
// target, std::popcount becomes a library call per word; the shifts and adds
// inline are faster than that call.
inline int32_t PopCount(uint64_t x) {
#if defined(__POPCNT__)
    return std::popcount(x);
#else
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int32_t>((x * 0x0101010101010101ull) >> 56);
#endif
}

template <int W>
inline int32_t Count(const Line<W>& a) {
    int32_t n = 0;
    for (int i = 0; i < W; ++i) n += PopCount(a.w[i]);
    return n;
}

inline void Clear(uint64_t* a, int32_t i) { a[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
inline void Put(uint64_t* a, int32_t i, bool on) {
    if (on) a[i >> 6] |= uint64_t{1} << (i & 63);
    else Clear(a, i);
}

// Rules 1 and 2 on both colours of a line: a run of r >= 5 scores r - 2,
// which is (r - 4) windows of five plus 2 for the run's first window. A
// window of five dark modules never starts next to one of five light ones,
// so both colours' windows are counted together.
template <int W>
int32_t RunScore(const Line<W>& dark, const Line<W>& light) {
    auto windows = [](const Line<W>& b) {
        const Line<W> two = And(b, Down(b, 1));
        const Line<W> four = And(two, Down(two, 2));
        return And(four, Down(b, 4));
    };
    const Line<W> five = Or(windows(dark), windows(light));
    return Count(five) + 2 * Count(AndNot(five, Up(five, 1)));
}

// Rules 4 and 5 on a line: dark, light, dark, dark, dark, light, dark
// starting at or before side - 8; after a counted pattern the scan goes on
// seven modules later.
template <int W>
int32_t FinderScore(const Line<W>& dark, const Line<W>& light, const Line<W>& starts) {
    Line<W> m = And(And(dark, Down(light, 1)), And(Down(dark, 2), Down(dark, 3)));
    m = And(And(m, Down(dark, 4)), And(Down(light, 5), Down(dark, 6)));
    m = And(m, starts);
    int32_t score = 0;
    int32_t next = 0;  // the first start the scan still examines
    for (int i = 0; i < W; ++i) {
        uint64_t word = m.w[i];
        while (word != 0) {
            const int32_t p = i * 64 + std::countr_zero(word);
            word &= word - 1;
            if (p < next) continue;
            score += 40;
            next = p + 7;
        }
    }
    return score;
}

// Sets bits 0 to n - 1 of a line of `words` words and clears the rest.
void FirstBits(uint64_t* line, int32_t words, int32_t n) {
    for (int32_t i = 0; i < words; ++i) {
        const int32_t bits = n - 64 * i;
        line[i] = bits >= 64 ? ~uint64_t{0} : bits <= 0 ? 0 : (uint64_t{1} << bits) - 1;
    }
}

// Transposes an 8 x 8 bit matrix: byte i bit j becomes byte j bit i.
inline uint64_t Transpose8(uint64_t x) {
    uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    return x;
}

inline uint64_t* RowLine(MaskPlanes* p, int mask, int32_t y) {
    return p->lines + (mask * p->side + y) * p->words;
}
inline uint64_t* ColumnLine(MaskPlanes* p, int mask, int32_t x) {
    return p->lines + ((8 + mask) * p->side + x) * p->words;
}
inline const uint64_t* RowLine(const MaskPlanes* p, int mask, int32_t y) {
    return p->lines + (mask * p->side + y) * p->words;
}
inline const uint64_t* ColumnLine(const MaskPlanes* p, int mask, int32_t x) {
    return p->lines + ((8 + mask) * p->side + x) * p->words;
}

// The six rules for mask m's candidate, its lines `W` words long.
template <int W>
PenaltyRules Score(const MaskPlanes* planes, int mask) {
    const int32_t side = planes->side;
    Line<W> starts;  // starts 0 to side - 8
    FirstBits(starts.w, W, side - 7);
    PenaltyRules p{};
    int32_t dark = 0;
    Line<W> previousDark{}, previousLight{};
    for (int32_t i = 0; i < side; ++i) {
        const Line<W> scored = Load<W>(planes->scored + i * W);
        const Line<W> row = Load<W>(RowLine(planes, mask, i));
        const Line<W> column = Load<W>(ColumnLine(planes, mask, i));
        const Line<W> rowDark = And(row, scored);
        const Line<W> rowLight = AndNot(scored, row);
        const Line<W> columnDark = And(column, scored);
        const Line<W> columnLight = AndNot(scored, column);
        dark += Count(rowDark);
        p.rowRuns += RunScore(rowDark, rowLight);
        p.columnRuns += RunScore(columnDark, columnLight);
        p.rowFinders += FinderScore(rowDark, rowLight, starts);
        p.columnFinders += FinderScore(columnDark, columnLight, starts);

        // Rule 3, row i against row i - 1: a block at bit x covers modules
        // x - 1 and x of both rows; blocks are taken from the left, and a
        // taken block's two lower modules leave play.
        Line<W> currentDark = rowDark, currentLight = rowLight;
        if (i > 0) {
            Line<W> blocks = Or(And(And(currentDark, Up(currentDark, 1)),
                                    And(previousDark, Up(previousDark, 1))),
                                And(And(currentLight, Up(currentLight, 1)),
                                    And(previousLight, Up(previousLight, 1))));
            for (int k = 0; k < W; ++k) {
                while (blocks.w[k] != 0) {
                    const int32_t x = k * 64 + std::countr_zero(blocks.w[k]);
                    Clear(blocks.w, x);
                    if (x + 1 < W * 64) Clear(blocks.w, x + 1);
                    p.blocks += 3;
                    Clear(currentDark.w, x), Clear(currentDark.w, x - 1);
                    Clear(currentLight.w, x), Clear(currentLight.w, x - 1);
                }
            }
        }
        previousDark = currentDark;
        previousLight = currentLight;
    }
    p.balance = BalancePenalty(dark, side * side - 192);
    return p;
}

}  // namespace

int32_t BalancePenalty(int32_t dark, int32_t counted) {
    assert(counted > 0 && dark >= 0 && dark <= counted);
    const int32_t percent = static_cast<int32_t>(100LL * dark / counted);
    const int32_t deviation = std::abs(percent - 50);
    return deviation >= 5 ? (deviation / 5) * 10 : 0;
}

void BuildMaskPlanes(const WorkingMatrix* working, const uint8_t* pattern, MaskPlanes* planes) {
    const int32_t side = working->side;
    assert(side >= 21 && side <= kMaxSide);
    const int32_t words = (side + 63) / 64;
    planes->side = side;
    planes->words = words;
    std::memset(planes->lines, 0, sizeof(uint64_t) * 2 * 8 * side * words);

    // The composed byte of a module: its working byte, or all masks dark
    // where the template says so.
    const int32_t stride = side + 1;
    auto composed = [&](int32_t x, int32_t y) -> uint64_t {
        const uint8_t v = working->masked[x * kMaxSide + y];
        return pattern[y * stride + x] == '1' ? 0xFF : v;
    };
    // Eight modules at a time: gather their bytes, transpose, and byte m is
    // then the eight modules' bits under mask m.
    for (int32_t a = 0; a < side; ++a) {
        for (int32_t b0 = 0; b0 < side; b0 += 8) {
            uint64_t byRow = 0, byColumn = 0;
            for (int32_t i = 0; i < 8 && b0 + i < side; ++i) {
                byRow |= composed(b0 + i, a) << (8 * i);     // row a, columns b0..
                byColumn |= composed(a, b0 + i) << (8 * i);  // column a, rows b0..
            }
            byRow = Transpose8(byRow);
            byColumn = Transpose8(byColumn);
            const int word = b0 >> 6, shift = b0 & 63;
            for (int m = 0; m < 8; ++m) {
                RowLine(planes, m, a)[word] |= ((byRow >> (8 * m)) & 0xFF) << shift;
                ColumnLine(planes, m, a)[word] |= ((byColumn >> (8 * m)) & 0xFF) << shift;
            }
        }
    }
    // Scored modules: the whole line but for the corner squares, which take
    // modules 0 to 7 (and side - 8 to side - 1 at the top or the left edge)
    // of the lines 0 to 7 and side - 8 to side - 1.
    for (int32_t a = 0; a < side; ++a) {
        uint64_t* line = planes->scored + a * words;
        FirstBits(line, words, side);
        const bool first = a < 8, last = a >= side - 8;
        if (first || last)
            for (int32_t b = 0; b < 8; ++b) Clear(line, b);
        if (first)
            for (int32_t b = side - 8; b < side; ++b) Clear(line, b);
    }
}

void SetPlaneModules(MaskPlanes* planes, int32_t x, int32_t y, uint8_t masked) {
    assert(x >= 0 && x < planes->side && y >= 0 && y < planes->side);
    for (int m = 0; m < 8; ++m) {
        const bool dark = (masked >> m) & 1;
        Put(RowLine(planes, m, y), x, dark);
        Put(ColumnLine(planes, m, x), y, dark);
    }
}

PenaltyRules ScoreMaskPlanes(const MaskPlanes* planes, int mask) {
    assert(mask >= 0 && mask < 8);
    switch (planes->words) {
        case 1: return Score<1>(planes, mask);
        case 2: return Score<2>(planes, mask);
        default: assert(planes->words == kLineWords); return Score<kLineWords>(planes, mask);
    }
}
