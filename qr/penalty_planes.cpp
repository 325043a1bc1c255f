#include "qr/penalty_planes.h"

#include <bit>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace {

// Line i <- line i + k (towards bit 0), 0 < k < 64; bits shifted in are 0.
inline BitLine Down(const BitLine& a, int k) {
    return {{(a.w[0] >> k) | (a.w[1] << (64 - k)), (a.w[1] >> k) | (a.w[2] << (64 - k)),
             a.w[2] >> k}};
}

// Line i <- line i - k (away from bit 0), 0 < k < 64.
inline BitLine Up(const BitLine& a, int k) {
    return {{a.w[0] << k, (a.w[1] << k) | (a.w[0] >> (64 - k)),
             (a.w[2] << k) | (a.w[1] >> (64 - k))}};
}

inline BitLine And(const BitLine& a, const BitLine& b) {
    return {{a.w[0] & b.w[0], a.w[1] & b.w[1], a.w[2] & b.w[2]}};
}

inline BitLine AndNot(const BitLine& a, const BitLine& b) {
    return {{a.w[0] & ~b.w[0], a.w[1] & ~b.w[1], a.w[2] & ~b.w[2]}};
}

// The bits set in a word. Without the POPCNT instruction std::popcount is a
// call into the compiler's library that counts a byte at a time; the sum in
// parallel stays inline.
inline int32_t Ones(uint64_t x) {
#if defined(__POPCNT__)
    return std::popcount(x);
#else
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<int32_t>((x * 0x0101010101010101u) >> 56);
#endif
}

inline int32_t Count(const BitLine& a) { return Ones(a.w[0]) + Ones(a.w[1]) + Ones(a.w[2]); }

inline bool Test(const BitLine& a, int32_t i) { return (a.w[i >> 6] >> (i & 63)) & 1; }
inline void Clear(BitLine* a, int32_t i) { a->w[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
inline void Put(BitLine* a, int32_t i, bool on) {
    if (on) a->w[i >> 6] |= uint64_t{1} << (i & 63);
    else Clear(a, i);
}

// Rules 1 and 2 on one colour of a line: a run of r >= 5 scores r - 2,
// which is (r - 4) windows of five plus 2 for the run's first window.
int32_t RunScore(const BitLine& b) {
    const BitLine two = And(b, Down(b, 1));
    const BitLine four = And(two, Down(two, 2));
    const BitLine five = And(four, Down(b, 4));
    return Count(five) + 2 * Count(AndNot(five, Up(five, 1)));
}

// Rules 4 and 5 on a line: dark, light, dark, dark, dark, light, dark
// starting at or before side - 8; after a counted pattern the scan goes on
// seven modules later.
int32_t FinderScore(const BitLine& dark, const BitLine& light, const BitLine& starts) {
    BitLine m = And(And(dark, Down(light, 1)), And(Down(dark, 2), Down(dark, 3)));
    m = And(And(m, Down(dark, 4)), And(Down(light, 5), Down(dark, 6)));
    m = And(m, starts);
    int32_t score = 0;
    int32_t next = 0;  // the first start the scan still examines
    for (int i = 0; i < kLineWords; ++i) {
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

// The bits 0 to n - 1 of a line.
BitLine FirstBits(int32_t n) {
    BitLine a{};
    for (int32_t i = 0; i < n && i < kLineWords * 64; ++i) Put(&a, i, true);
    return a;
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
    planes->side = side;
    std::memset(planes->rows, 0, sizeof planes->rows);
    std::memset(planes->columns, 0, sizeof planes->columns);

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
                planes->rows[m][a].w[word] |= ((byRow >> (8 * m)) & 0xFF) << shift;
                planes->columns[m][a].w[word] |= ((byColumn >> (8 * m)) & 0xFF) << shift;
            }
        }
    }
    // Scored modules: the whole line but for the corner squares, which take
    // modules 0 to 7 (and side - 8 to side - 1 at the top or the left edge)
    // of the lines 0 to 7 and side - 8 to side - 1.
    const BitLine all = FirstBits(side);
    for (int32_t a = 0; a < side; ++a) {
        BitLine line = all;
        const bool first = a < 8, last = a >= side - 8;
        if (first || last)
            for (int32_t b = 0; b < 8; ++b) Clear(&line, b);
        if (first)
            for (int32_t b = side - 8; b < side; ++b) Clear(&line, b);
        // Rows and columns have the same shape: corners at the top-left,
        // top-right and bottom-left are symmetric about the diagonal.
        planes->scoredRows[a] = line;
        planes->scoredColumns[a] = line;
    }
}

void SetPlaneModule(MaskPlanes* planes, int mask, int32_t x, int32_t y, bool dark) {
    Put(&planes->rows[mask][y], x, dark);
    Put(&planes->columns[mask][x], y, dark);
}

PenaltyRules ScoreMaskPlanes(const MaskPlanes* planes, int mask) {
    const int32_t side = planes->side;
    const BitLine starts = FirstBits(side - 7);  // starts 0 to side - 8
    PenaltyRules p{};
    int32_t dark = 0;
    BitLine previousDark{}, previousLight{};
    for (int32_t i = 0; i < side; ++i) {
        const BitLine rowDark = And(planes->rows[mask][i], planes->scoredRows[i]);
        const BitLine rowLight = AndNot(planes->scoredRows[i], planes->rows[mask][i]);
        const BitLine columnDark = And(planes->columns[mask][i], planes->scoredColumns[i]);
        const BitLine columnLight = AndNot(planes->scoredColumns[i], planes->columns[mask][i]);
        dark += Count(rowDark);
        p.rowRuns += RunScore(rowDark) + RunScore(rowLight);
        p.columnRuns += RunScore(columnDark) + RunScore(columnLight);
        p.rowFinders += FinderScore(rowDark, rowLight, starts);
        p.columnFinders += FinderScore(columnDark, columnLight, starts);

        // Rule 3, row i against row i - 1: a block at bit x covers modules
        // x - 1 and x of both rows; blocks are taken from the left, and a
        // taken block's two lower modules leave play.
        BitLine currentDark = rowDark, currentLight = rowLight;
        if (i > 0) {
            BitLine blocks = And(And(currentDark, Up(currentDark, 1)),
                                 And(previousDark, Up(previousDark, 1)));
            const BitLine light = And(And(currentLight, Up(currentLight, 1)),
                                      And(previousLight, Up(previousLight, 1)));
            for (int k = 0; k < kLineWords; ++k) blocks.w[k] |= light.w[k];
            for (int k = 0; k < kLineWords; ++k) {
                while (blocks.w[k] != 0) {
                    const int32_t x = k * 64 + std::countr_zero(blocks.w[k]);
                    Clear(&blocks, x);
                    if (x + 1 < kLineWords * 64) Clear(&blocks, x + 1);
                    p.blocks += 3;
                    Clear(&currentDark, x), Clear(&currentDark, x - 1);
                    Clear(&currentLight, x), Clear(&currentLight, x - 1);
                }
            }
        }
        previousDark = currentDark;
        previousLight = currentLight;
    }
    p.balance = BalancePenalty(dark, side * side - 192);
    return p;
}
