// The version-and-level records: module lists, mask bytes, format positions
// and block layout, read back field by field as the engine takes them.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "qr/version_tables.h"
#include "tools/qrtables/block_table.h"
#include "tools/qrtables/function_patterns.h"
#include "tools/qrtables/masks.h"
#include "tools/qrtables/placement.h"
#include "tools/qrtables/table_writer.h"

namespace {

struct Record {
    int side = 0;
    int n = 0;
    std::vector<uint8_t> columns, rows, masks, formatColumns, formatRows, blockList;
    int ec = 0;
};

// Splits a record into its fields, N taken from the engine's own tables.
Record ReadRecord(int version, int level) {
    const std::vector<uint8_t> raw = qrtables::VersionLevelRecord(version, level);
    Record r;
    r.side = 4 * version + 17;
    r.n = 8 * TotalCodewords(version) + RemainderBits(version);
    EXPECT_EQ(raw.size(), static_cast<size_t>(3 * r.n + 15 + 15 + 1 + 128));
    auto at = raw.begin();
    auto take = [&](int count) {
        std::vector<uint8_t> field(at, at + count);
        at += count;
        return field;
    };
    r.columns = take(r.n);
    r.rows = take(r.n);
    r.masks = take(r.n);
    r.formatColumns = take(15);
    r.formatRows = take(15);
    r.ec = take(1)[0];
    r.blockList = take(128);
    return r;
}

// The modules no codeword bit may take, drawn as plain rectangles: the three
// corners with finder, separator and format area, both timing lines, the
// alignment patterns, both version areas from version 7 on.
std::vector<bool> FunctionArea(int version) {
    const int side = 4 * version + 17;
    std::vector<bool> area(side * side, false);
    auto rect = [&](int column, int row, int width, int height) {
        for (int y = row; y < row + height; ++y)
            for (int x = column; x < column + width; ++x) area[y * side + x] = true;
    };
    rect(0, 0, 9, 9);
    rect(side - 8, 0, 8, 9);
    rect(0, side - 8, 9, 8);
    rect(0, 6, side, 1);
    rect(6, 0, 1, side);
    const std::vector<int> c = qrtables::AlignmentCentres(version);
    for (size_t i = 0; i < c.size(); ++i)
        for (size_t j = 0; j < c.size(); ++j)
            if (!((i == 0 && j == 0) || (i == 0 && j + 1 == c.size()) ||
                  (i + 1 == c.size() && j == 0)))
                rect(c[i] - 2, c[j] - 2, 5, 5);
    if (version >= 7) {
        rect(side - 11, 0, 3, 6);
        rect(0, side - 11, 6, 3);
    }
    return area;
}

}  // namespace

TEST(VersionLevelRecord, Version1StartsAtTheBottomRightCorner) {
    for (int level = 0; level < 4; ++level) {
        const Record r = ReadRecord(1, level);
        ASSERT_EQ(r.n, 208);
        const int expected[4][3] = {{20, 20, 0x13}, {19, 20, 0x5A}, {20, 19, 0x48}, {19, 19, 0x41}};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(r.columns[k], expected[k][0]) << "bit " << k;
            EXPECT_EQ(r.rows[k], expected[k][1]) << "bit " << k;
            EXPECT_EQ(r.masks[k], expected[k][2]) << "bit " << k;
        }
        // The walk ends going down the leftmost column pair, between the
        // format area in row 8 and the lower left separator in row 13.
        EXPECT_EQ(r.columns[207], 0);
        EXPECT_EQ(r.rows[207], 12);
        EXPECT_EQ(r.columns, ReadRecord(1, 0).columns);
        EXPECT_EQ(r.rows, ReadRecord(1, 0).rows);
        EXPECT_EQ(r.formatColumns,
                  (std::vector<uint8_t>{8, 8, 8, 8, 8, 8, 8, 13, 14, 15, 16, 17, 18, 19, 20}));
        EXPECT_EQ(r.formatRows,
                  (std::vector<uint8_t>{20, 19, 18, 17, 16, 15, 14, 8, 8, 8, 8, 8, 8, 8, 8}));
    }
}

TEST(VersionLevelRecord, EveryRecordFillsExactlyTheEncodingRegion) {
    for (int version = 1; version <= 40; ++version) {
        const std::vector<bool> function = FunctionArea(version);
        const std::vector<uint8_t> templ = qrtables::FunctionPatternTemplate(version);
        const int side = 4 * version + 17;
        const int functionCount =
            static_cast<int>(std::count(function.begin(), function.end(), true));
        std::vector<std::pair<int, int>> firstLevelModules;
        const Record first = ReadRecord(version, 0);
        for (int level = 0; level < 4; ++level) {
            SCOPED_TRACE(testing::Message()
                         << "version " << version << " level " << qrtables::kLevelLetters[level]);
            const Record r = ReadRecord(version, level);
            ASSERT_EQ(r.n + functionCount, side * side);
            std::vector<bool> seen(side * side, false);
            for (int k = 0; k < r.n; ++k) {
                const int x = r.columns[k];
                const int y = r.rows[k];
                ASSERT_TRUE(x < side && y < side) << "bit " << k;
                ASSERT_FALSE(function[y * side + x]) << "bit " << k << " at " << x << "," << y;
                ASSERT_FALSE(seen[y * side + x]) << "bit " << k << " at " << x << "," << y;
                ASSERT_EQ(templ[y * (side + 1) + x], '0') << "bit " << k;
                seen[y * side + x] = true;
                ASSERT_EQ(r.masks[k], qrtables::MaskByte(y, x)) << "bit " << k;
            }
            // Both format copies lie in the function area.
            for (int x = 0; x < 15; ++x) {
                EXPECT_TRUE(function[r.formatRows[x] * side + r.formatColumns[x]]);
                EXPECT_EQ(r.formatColumns[x], x < 7 ? 8 : side - 15 + x);
                EXPECT_EQ(r.formatRows[x], x < 7 ? side - 1 - x : 8);
            }

            const qrtables::BlockLayout layout = qrtables::BlockLayoutFor(version, level);
            EXPECT_EQ(r.ec, layout.ecPerBlock);
            const size_t blocks = layout.blockLengths.size();
            for (size_t b = 0; b < 128; ++b)
                EXPECT_EQ(r.blockList[b], b < blocks ? layout.blockLengths[b] : 0) << b;

            // Levels differ only in the order of the codeword bits: the same
            // modules in all, and the remainder bits where they are.
            std::vector<std::pair<int, int>> modules;
            for (int k = 0; k < 8 * TotalCodewords(version); ++k)
                modules.emplace_back(r.columns[k], r.rows[k]);
            std::sort(modules.begin(), modules.end());
            if (level == 0) firstLevelModules = modules;
            EXPECT_EQ(modules, firstLevelModules);
            for (int k = 8 * TotalCodewords(version); k < r.n; ++k) {
                EXPECT_EQ(r.columns[k], first.columns[k]);
                EXPECT_EQ(r.rows[k], first.rows[k]);
            }
        }
    }
}

TEST(VersionLevelRecord, RemainderBitsTakeTheEndOfTheWalk) {
    // Version 2: 44 codewords, then 7 remainder bits at the bottom of the
    // leftmost column pair, walked downward, right module first.
    const Record r = ReadRecord(2, 1);
    ASSERT_EQ(r.n, 359);
    const int expected[7][2] = {{0, 13}, {1, 14}, {0, 14}, {1, 15}, {0, 15}, {1, 16}, {0, 16}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(r.columns[352 + i], expected[i][0]) << i;
        EXPECT_EQ(r.rows[352 + i], expected[i][1]) << i;
    }
}

TEST(VersionLevelRecord, BitsFollowTheInterleavedCodewordOrder) {
    // Version 5-Q: blocks of 15, 15, 16 and 16 data codewords (62 in all),
    // E = 18. Interleaved: data codeword i of each block in turn, the
    // sixteenth only from blocks 2 and 3, then error-correction codeword i of
    // each block in turn.
    const Record r = ReadRecord(5, 2);
    const std::vector<qrtables::Module> walk =
        qrtables::PlacementWalk(qrtables::BuildFunctionMap(5));
    ASSERT_EQ(walk.size(), static_cast<size_t>(r.n));
    auto expectCodewordAt = [&](int blockOrdered, int interleaved) {
        for (int i = 0; i < 8; ++i) {
            const int k = 8 * blockOrdered + i;
            const qrtables::Module m = walk[8 * interleaved + i];
            EXPECT_EQ(r.columns[k], m.column) << "codeword " << blockOrdered << " bit " << i;
            EXPECT_EQ(r.rows[k], m.row) << "codeword " << blockOrdered << " bit " << i;
        }
    };
    expectCodewordAt(0, 0);                              // block 0, data 0
    expectCodewordAt(15, 1);                             // block 1, data 0
    expectCodewordAt(30, 2);                             // block 2, data 0
    expectCodewordAt(46, 3);                             // block 3, data 0
    expectCodewordAt(1, 4);                              // block 0, data 1
    expectCodewordAt(14, 56);                            // block 0, data 14
    expectCodewordAt(60, 59);                            // block 3, data 14
    expectCodewordAt(45, 60);                            // block 2, data 15, the last of its block
    expectCodewordAt(61, 61);                            // block 3, data 15, the last data codeword
    expectCodewordAt(62, 62);                            // EC 0 of block 0
    expectCodewordAt(62 + 18, 63);                       // EC 0 of block 1
    expectCodewordAt(62 + 3 * 18, 65);                   // EC 0 of block 3
    expectCodewordAt(62 + 1, 66);                        // EC 1 of block 0
    expectCodewordAt(62 + 4 * 18 - 1, 62 + 4 * 18 - 1);  // EC 17 of block 3, the last
}

TEST(Masks, ConditionsUseRowAsIAndColumnAsJ) {
    // Table 10 drawn over the top left 6 x 6 modules, rows top to bottom.
    auto picture = [](int pattern) {
        std::string s;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 6; ++column)
                s += (qrtables::MaskByte(row, column) >> pattern) & 1 ? '1' : '0';
            s += '/';
        }
        return s;
    };
    EXPECT_EQ(picture(0), "101010/010101/101010/010101/101010/010101/");
    EXPECT_EQ(picture(1), "111111/000000/111111/000000/111111/000000/");
    EXPECT_EQ(picture(2), "100100/100100/100100/100100/100100/100100/");
    EXPECT_EQ(picture(3), "100100/001001/010010/100100/001001/010010/");
    EXPECT_EQ(picture(4), "111000/111000/000111/000111/111000/111000/");
    EXPECT_EQ(picture(5), "111111/100000/100100/101010/100100/100000/");
    EXPECT_EQ(picture(6), "111111/111000/110110/101010/101101/100011/");
    EXPECT_EQ(picture(7), "101010/000111/100011/010101/111000/011100/");
}
