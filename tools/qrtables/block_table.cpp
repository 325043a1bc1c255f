#include "tools/qrtables/block_table.h"

#include <algorithm>
#include <cassert>

#include "tools/qrtables/function_patterns.h"

namespace qrtables {
namespace {

// Table 9 of ISO/IEC 18004 (clause 7.5.1), reduced to what determines it:
// the error-correction codewords per block and the number of blocks of every
// version and level. The data codewords and the two block lengths follow from
// the total codeword count. Rows L, M, Q, H; column 0 is unused.
constexpr uint8_t kEcPerBlock[kLevelCount][41] = {
    {0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0,  13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

constexpr uint8_t kBlockCount[kLevelCount][41] = {
    {0, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0,  1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0,  1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

}  // namespace

int DataModuleCount(int version) {
    const FunctionMap map = BuildFunctionMap(version);
    return static_cast<int>(std::count(map.reserved.begin(), map.reserved.end(), 0));
}

int TotalCodewords(int version) {
    return DataModuleCount(version) / 8;
}

int RemainderBits(int version) {
    return DataModuleCount(version) % 8;
}

BlockLayout BlockLayoutFor(int version, int level) {
    assert(version >= kMinVersion && version <= kMaxVersion);
    assert(level >= 0 && level < kLevelCount);
    BlockLayout layout;
    layout.ecPerBlock = kEcPerBlock[level][version];
    layout.totalCodewords = TotalCodewords(version);
    const int blocks = kBlockCount[level][version];
    // Table 9 gives each version and level at most two kinds of block, whose
    // lengths differ by one; the shorter ones come first.
    const int shortLength = layout.totalCodewords / blocks;
    const int longBlocks = layout.totalCodewords % blocks;
    for (int b = 0; b < blocks; ++b)
        layout.blockLengths.push_back(b < blocks - longBlocks ? shortLength : shortLength + 1);
    layout.dataCodewords = layout.totalCodewords - layout.ecPerBlock * blocks;
    assert(shortLength > layout.ecPerBlock);
    return layout;
}

std::vector<int> DistinctEcPerBlock() {
    std::vector<int> values;
    for (int level = 0; level < kLevelCount; ++level)
        for (int version = kMinVersion; version <= kMaxVersion; ++version)
            values.push_back(kEcPerBlock[level][version]);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

}  // namespace qrtables
