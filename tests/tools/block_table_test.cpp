// The block table and the codeword counts derived from the module count,
// checked against the engine's own tables and the standard's examples.
#include "tools/qrtables/block_table.h"

#include <gtest/gtest.h>

#include <numeric>

#include "qr/version_tables.h"

namespace {

// The engine's level code of each table-file level index (L, M, Q, H).
constexpr int kEngineLevelCode[4] = {kLevelL, kLevelM, kLevelQ, kLevelH};

}  // namespace

TEST(BlockTable, AgreesWithTheEnginesCapacitiesForEveryVersionAndLevel) {
    for (int version = 1; version <= 40; ++version) {
        EXPECT_EQ(qrtables::TotalCodewords(version), TotalCodewords(version)) << version;
        EXPECT_EQ(qrtables::RemainderBits(version), RemainderBits(version)) << version;
        for (int level = 0; level < 4; ++level) {
            const qrtables::BlockLayout layout = qrtables::BlockLayoutFor(version, level);
            const int blocks = static_cast<int>(layout.blockLengths.size());
            SCOPED_TRACE(testing::Message()
                         << "version " << version << " level " << qrtables::kLevelLetters[level]);
            EXPECT_EQ(layout.totalCodewords, TotalCodewords(version));
            EXPECT_EQ(layout.dataCodewords * 8, DataCapacityBits(kEngineLevelCode[level], version));
            EXPECT_EQ(layout.dataCodewords + layout.ecPerBlock * blocks, layout.totalCodewords);
            EXPECT_EQ(std::accumulate(layout.blockLengths.begin(), layout.blockLengths.end(), 0),
                      layout.totalCodewords);
            // Shorter blocks first, at most two lengths one apart, and every
            // block has data as well as error correction.
            EXPECT_TRUE(std::is_sorted(layout.blockLengths.begin(), layout.blockLengths.end()));
            EXPECT_LE(layout.blockLengths.back() - layout.blockLengths.front(), 1);
            EXPECT_GT(layout.blockLengths.front(), layout.ecPerBlock);
            EXPECT_LT(blocks, 128);
        }
    }
}

TEST(BlockTable, StandardsExamples) {
    const qrtables::BlockLayout v5q = qrtables::BlockLayoutFor(5, 2);
    EXPECT_EQ(v5q.ecPerBlock, 18);
    EXPECT_EQ(v5q.blockLengths, (std::vector<int>{33, 33, 34, 34}));
    EXPECT_EQ(v5q.dataCodewords, 62);

    const qrtables::BlockLayout v1h = qrtables::BlockLayoutFor(1, 3);
    EXPECT_EQ(v1h.ecPerBlock, 17);
    EXPECT_EQ(v1h.blockLengths, (std::vector<int>{26}));
    EXPECT_EQ(v1h.dataCodewords, 9);

    const qrtables::BlockLayout v1m = qrtables::BlockLayoutFor(1, 1);
    EXPECT_EQ(v1m.ecPerBlock, 10);
    EXPECT_EQ(v1m.dataCodewords, 16);

    // Version 40-H: 20 blocks of 45 and 61 of 46, E = 30.
    const qrtables::BlockLayout v40h = qrtables::BlockLayoutFor(40, 3);
    EXPECT_EQ(v40h.ecPerBlock, 30);
    ASSERT_EQ(v40h.blockLengths.size(), 81u);
    EXPECT_EQ(std::count(v40h.blockLengths.begin(), v40h.blockLengths.end(), 45), 20);
    EXPECT_EQ(v40h.blockLengths.back(), 46);

    EXPECT_EQ(qrtables::DistinctEcPerBlock(),
              (std::vector<int>{7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30}));
    EXPECT_EQ(qrtables::DataModuleCount(1), 208);
    EXPECT_EQ(qrtables::DataModuleCount(2), 359);
    EXPECT_EQ(qrtables::DataModuleCount(40), 29648);
}
