#include "qr/version_tables.h"

#include <algorithm>
#include <cassert>

namespace {

// Data codewords per version (ISO/IEC 18004 table 7), rows in level-code order
// M, L, H, Q. The capacity in bits is eight times the entry.
constexpr int16_t kDataCodewords[4][41] = {
    {0,    16,   28,   44,   64,   86,   108,  124,  154,  182,  216,  254,  290,  334,
     365,  415,  453,  507,  563,  627,  669,  714,  782,  860,  914,  1000, 1062, 1128,
     1193, 1267, 1373, 1455, 1541, 1631, 1725, 1812, 1914, 1992, 2102, 2216, 2334},
    {0,    19,   34,   55,   80,   108,  136,  156,  194,  232,  274,  324,  370,  428,
     461,  523,  589,  647,  721,  795,  861,  932,  1006, 1094, 1174, 1276, 1370, 1468,
     1531, 1631, 1735, 1843, 1955, 2071, 2191, 2306, 2434, 2566, 2702, 2812, 2956},
    {0,   9,   16,  26,  36,  46,  60,  66,  86,  100, 122,  140,  158,  180,
     197, 223, 253, 283, 313, 341, 385, 406, 442, 464, 514,  538,  596,  628,
     661, 701, 745, 793, 845, 901, 961, 986, 1054, 1096, 1142, 1222, 1276},
    {0,   13,  22,  34,  48,  62,  76,  88,  110,  132,  154,  180,  206,  244,
     261, 295, 325, 367, 397, 445, 485, 512, 568,  614,  664,  718,  754,  808,
     871, 911, 985, 1033, 1115, 1171, 1231, 1286, 1354, 1426, 1502, 1582, 1666},
};

// Total codewords per version (ISO/IEC 18004 table 1).
constexpr int16_t kTotalCodewords[41] = {
    0,    26,   44,   70,   100,  134,  172,  196,  242,  292,  346,  404,  466,  532,
    581,  655,  733,  815,  901,  991,  1085, 1156, 1258, 1364, 1474, 1588, 1706, 1828,
    1921, 2051, 2185, 2323, 2465, 2611, 2761, 2876, 3034, 3196, 3362, 3532, 3706};

// Character-count width increments per mode and version (table 3): the
// widths of versions 10 to 26 and 27 to 40 less those of versions 1 to 9.
constexpr uint8_t Increment(int mode, int version) {
    constexpr uint8_t kMid[4] = {2, 2, 8, 2};
    constexpr uint8_t kHigh[4] = {4, 4, 8, 4};
    return version >= 27 ? kHigh[mode] : version >= 10 ? kMid[mode] : 0;
}

struct IncrementRows {
    uint8_t rows[4][41];
};

constexpr IncrementRows MakeIncrementRows() {
    IncrementRows t{};
    for (int m = 0; m < 4; ++m)
        for (int v = kMinVersion; v <= kMaxVersion; ++v) t.rows[m][v] = Increment(m, v);
    return t;
}

constexpr IncrementRows kIncrements = MakeIncrementRows();

[[maybe_unused]] bool ValidVersion(int version) { return version >= kMinVersion && version <= kMaxVersion; }

}  // namespace

int LevelCodeFromChar(char levelChar) {
    switch (levelChar) {
        case 'H': return kLevelH;
        case 'L': return kLevelL;
        case 'Q': return kLevelQ;
        default: return kLevelM;
    }
}

int32_t DataCapacityBits(int levelCode, int version) {
    assert(levelCode >= 0 && levelCode < 4 && ValidVersion(version));
    return 8 * kDataCodewords[levelCode][version];
}

int32_t TotalCodewords(int version) {
    assert(ValidVersion(version));
    return kTotalCodewords[version];
}

int32_t RemainderBits(int version) {
    assert(ValidVersion(version));
    // Table 1: 0 for version 1, 7 for 2-6, 0 for 7-13, 3 for 14-20,
    // 4 for 21-27, 3 for 28-34, 0 for 35-40.
    if (version >= 2 && version <= 6) return 7;
    if (version >= 14 && version <= 20) return 3;
    if (version >= 21 && version <= 27) return 4;
    if (version >= 28 && version <= 34) return 3;
    return 0;
}

int32_t ModeIndicator(DataMode mode) {
    constexpr int32_t kIndicators[4] = {0x1, 0x2, 0x4, 0x8};
    return kIndicators[mode];
}

int CountWidthBase(DataMode mode) {
    constexpr int kBase[4] = {10, 9, 8, 8};
    return kBase[mode];
}

const uint8_t* CountWidthIncrements(DataMode mode) { return kIncrements.rows[mode]; }

void ModeCapacity(int levelCode, DataMode mode, int version, int32_t* characters,
                  int32_t* wholeGroups) {
    assert(levelCode >= 0 && levelCode < 4 && version >= kMinVersion && version <= kMaxVersion);
    // Bits of one whole group of the mode's characters, and its characters.
    constexpr int32_t kGroupBits[] = {10, 11, 8, 13};
    constexpr int32_t kGroupChars[] = {3, 2, 1, 1};
    const int width = CountWidthBase(mode) + CountWidthIncrements(mode)[version];
    const int32_t r = DataCapacityBits(levelCode, version) - 4 - width;  // after the header
    *characters = *wholeGroups = 0;
    if (r <= 0) return;
    *wholeGroups = r / kGroupBits[mode] * kGroupChars[mode];
    // A last group of fewer characters: two digits in 7 bits, one in 4; one
    // alphanumeric character in 6.
    int32_t partial = 0;
    if (mode == kModeNumeric) partial = r % 10 >= 7 ? 2 : r % 10 >= 4 ? 1 : 0;
    if (mode == kModeAlphanumeric) partial = r % 11 >= 6 ? 1 : 0;
    const int32_t countLimit = (int32_t{1} << width) - 1;
    *characters = std::min(*wholeGroups + partial, countLimit);
}
