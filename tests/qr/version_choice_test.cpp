// Automatic version choice against the character capacities that ISO/IEC
// 18004 publishes (table 7), at the versions where count widths change.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"

namespace {

struct CapacityRow {
    int version;
    char level;
    int numeric, alphanumeric, byte, kanji;  // characters that fit
};

constexpr CapacityRow kPublished[] = {
    {1, 'L', 41, 25, 17, 10},         {1, 'M', 34, 20, 14, 8},
    {1, 'Q', 27, 16, 11, 7},          {1, 'H', 17, 10, 7, 4},
    {9, 'L', 552, 335, 230, 141},     {9, 'M', 432, 262, 180, 111},
    {9, 'Q', 312, 189, 130, 80},      {9, 'H', 235, 143, 98, 60},
    {10, 'L', 652, 395, 271, 167},    {10, 'M', 513, 311, 213, 131},
    {10, 'Q', 364, 221, 151, 93},     {10, 'H', 288, 174, 119, 74},
    {26, 'L', 3283, 1990, 1367, 842}, {26, 'M', 2544, 1542, 1059, 652},
    {26, 'Q', 1804, 1094, 751, 462},  {26, 'H', 1425, 864, 593, 365},
    {27, 'L', 3517, 2132, 1465, 902}, {27, 'M', 2701, 1637, 1125, 692},
    {27, 'Q', 1933, 1172, 805, 496},  {27, 'H', 1501, 910, 625, 385},
    {40, 'L', 7089, 4296, 2953, 1817}, {40, 'M', 5596, 3391, 2331, 1435},
    {40, 'Q', 3993, 2420, 1663, 1024}, {40, 'H', 3057, 1852, 1273, 784},
};

// A text of `count` characters of the mode.
std::string TextOf(char mode, int count) {
    switch (mode) {
        case 'N': return std::string(count, '7');
        case 'A': return std::string(count, 'Q');
        case 'B': return std::string(count, '\xB1');
        default: {
            std::string s;
            for (int i = 0; i < count; ++i) s += "\x8A\xBF";
            return s;
        }
    }
}

// The version chosen automatically, or -1 when nothing holds the text.
int ChosenVersion(char level, char mode, int count) {
    auto data = std::make_unique<DataCodewords>();
    const int32_t rc = BuildDataCodewords(TextOf(mode, count).c_str(), level, mode, 0, data.get());
    return rc == kQROk ? data->version : -1;
}

TEST(VersionChoice, AgreesWithThePublishedCapacitiesAtEveryBoundary) {
    for (const CapacityRow& row : kPublished) {
        const std::pair<char, int> modes[] = {
            {'N', row.numeric}, {'A', row.alphanumeric}, {'B', row.byte}, {'K', row.kanji}};
        for (auto [mode, fits] : modes) {
            SCOPED_TRACE(testing::Message() << "version " << row.version << " level " << row.level
                                            << " mode " << mode << " " << fits << " characters");
            EXPECT_EQ(ChosenVersion(row.level, mode, fits), row.version);
            EXPECT_EQ(ChosenVersion(row.level, mode, fits + 1),
                      row.version == 40 ? -1 : row.version + 1);
        }
    }
}

TEST(VersionChoice, GivenVersionUsesItsCapacityOnly) {
    auto data = std::make_unique<DataCodewords>();
    ASSERT_EQ(BuildDataCodewords("12345", 'M', 'N', 7, data.get()), kQROk);
    EXPECT_EQ(data->version, 7);
    EXPECT_EQ(data->dataCount, 124);
    EXPECT_EQ(data->totalCodewords, 196);
    EXPECT_EQ(data->remainderBits, 0);
    ASSERT_EQ(BuildDataCodewords("12345", 'Q', 'N', 14, data.get()), kQROk);
    EXPECT_EQ(data->remainderBits, 3);
    EXPECT_EQ(data->totalCodewords, 581);
    EXPECT_EQ(data->levelCode, 3);
}

TEST(VersionChoice, UnknownLevelCharactersReadAsM) {
    auto m = std::make_unique<DataCodewords>(), x = std::make_unique<DataCodewords>();
    ASSERT_EQ(BuildDataCodewords(TextOf('N', 35).c_str(), 'M', 'N', 0, m.get()), kQROk);
    ASSERT_EQ(BuildDataCodewords(TextOf('N', 35).c_str(), 'z', 'N', 0, x.get()), kQROk);
    EXPECT_EQ(m->version, 2);
    EXPECT_EQ(x->version, 2);
    EXPECT_EQ(x->levelCode, 0);
}

}  // namespace
