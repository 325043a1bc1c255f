// Alignment positions, version information and the function-pattern
// templates, against the standard's tables and figures.
#include "tools/qrtables/function_patterns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Annex E, table E.1: row/column coordinates of the alignment pattern centres.
const std::vector<std::vector<int>> kAnnexE = {
    {},
    {6, 18},
    {6, 22},
    {6, 26},
    {6, 30},
    {6, 34},
    {6, 22, 38},
    {6, 24, 42},
    {6, 26, 46},
    {6, 28, 50},
    {6, 30, 54},
    {6, 32, 58},
    {6, 34, 62},
    {6, 26, 46, 66},
    {6, 26, 48, 70},
    {6, 26, 50, 74},
    {6, 30, 54, 78},
    {6, 30, 56, 82},
    {6, 30, 58, 86},
    {6, 34, 62, 90},
    {6, 28, 50, 72, 94},
    {6, 26, 50, 74, 98},
    {6, 30, 54, 78, 102},
    {6, 28, 54, 80, 106},
    {6, 32, 58, 84, 110},
    {6, 30, 58, 86, 114},
    {6, 34, 62, 90, 118},
    {6, 26, 50, 74, 98, 122},
    {6, 30, 54, 78, 102, 126},
    {6, 26, 52, 78, 104, 130},
    {6, 30, 56, 82, 108, 134},
    {6, 34, 60, 86, 112, 138},
    {6, 30, 58, 86, 114, 142},
    {6, 34, 62, 90, 118, 146},
    {6, 30, 54, 78, 102, 126, 150},
    {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158},
    {6, 32, 58, 84, 110, 136, 162},
    {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
};

// The template of `version` as rows of text, the separators checked away.
std::vector<std::string> TemplateRows(int version) {
    const std::vector<uint8_t> text = qrtables::FunctionPatternTemplate(version);
    const int side = qrtables::SymbolSide(version);
    EXPECT_EQ(text.size(), static_cast<size_t>(side * (side + 1)));
    std::vector<std::string> rows;
    for (int r = 0; r < side; ++r) {
        const auto begin = text.begin() + r * (side + 1);
        rows.emplace_back(begin, begin + side);
        EXPECT_EQ(text[r * (side + 1) + side], '\n') << "row " << r;
    }
    return rows;
}

std::string Block(const std::vector<std::string>& rows, int column, int row, int width,
                  int height) {
    std::string s;
    for (int y = row; y < row + height; ++y) s += rows[y].substr(column, width) + "/";
    return s;
}

}  // namespace

TEST(AlignmentCentres, AnnexEForEveryVersion) {
    for (int version = 1; version <= 40; ++version)
        EXPECT_EQ(qrtables::AlignmentCentres(version), kAnnexE[version - 1]) << version;
}

TEST(VersionInformation, AnnexDValues) {
    EXPECT_EQ(qrtables::VersionInformation(7), 0x07C94u);
    EXPECT_EQ(qrtables::VersionInformation(8), 0x085BCu);
    EXPECT_EQ(qrtables::VersionInformation(21), 0x15683u);
    EXPECT_EQ(qrtables::VersionInformation(40), 0x28C69u);
}

TEST(Template, OnlyZerosAndOnesAndTheFixedPatterns) {
    for (int version = 1; version <= 40; ++version) {
        SCOPED_TRACE(version);
        const std::vector<std::string> rows = TemplateRows(version);
        const int side = qrtables::SymbolSide(version);
        for (const std::string& row : rows)
            ASSERT_EQ(row.find_first_not_of("01"), std::string::npos);

        // Finders with their light separators, in all three corners.
        const std::string finder =
            "11111110/10000010/10111010/10111010/10111010/10000010/11111110/00000000/";
        const std::string mirrored =
            "01111111/01000001/01011101/01011101/01011101/01000001/01111111/00000000/";
        EXPECT_EQ(Block(rows, 0, 0, 8, 8), finder);
        EXPECT_EQ(Block(rows, side - 8, 0, 8, 8), mirrored);
        EXPECT_EQ(Block(rows, 0, side - 8, 8, 8), "00000000/" + finder.substr(0, 9 * 7));

        // Timing patterns between the separators, dark on even positions.
        for (int i = 8; i < side - 8; ++i) {
            EXPECT_EQ(rows[6][i], i % 2 == 0 ? '1' : '0') << "row 6, column " << i;
            EXPECT_EQ(rows[i][6], i % 2 == 0 ? '1' : '0') << "column 6, row " << i;
        }

        // The dark module; both format areas light.
        EXPECT_EQ(rows[side - 8][8], '1');
        for (int i = 0; i <= 8; ++i) {
            if (i == 6) continue;  // the timing patterns cross there
            EXPECT_EQ(rows[8][i], '0') << "row 8, column " << i;
            EXPECT_EQ(rows[i][8], '0') << "column 8, row " << i;
        }
        for (int i = 0; i < 8; ++i) EXPECT_EQ(rows[8][side - 1 - i], '0') << i;
        for (int i = 0; i < 7; ++i) EXPECT_EQ(rows[side - 1 - i][8], '0') << i;

        // Alignment patterns at every pair of centres clear of the finders.
        const std::vector<int>& c = kAnnexE[version - 1];
        for (size_t i = 0; i < c.size(); ++i) {
            for (size_t j = 0; j < c.size(); ++j) {
                const bool besideFinder = (i == 0 && j == 0) || (i == 0 && j == c.size() - 1) ||
                                          (i == c.size() - 1 && j == 0);
                if (besideFinder) continue;
                EXPECT_EQ(Block(rows, c[i] - 2, c[j] - 2, 5, 5), "11111/10001/10101/10001/11111/")
                    << "alignment at " << c[i] << "," << c[j];
            }
        }
    }
}

TEST(Template, VersionInformationCopies) {
    // Version 7: 000111110010010100, most significant bit first. Bit i
    // (0 = least significant) lies, in the copy left of the lower left
    // finder, in column i / 3 and row side - 11 + i % 3; the copy above the
    // upper right finder is its transpose.
    const std::vector<std::string> rows = TemplateRows(7);
    const int side = 45;
    EXPECT_EQ(Block(rows, 0, side - 11, 6, 3), "000010/011110/100110/");
    EXPECT_EQ(Block(rows, side - 11, 0, 3, 6), "001/010/010/011/111/000/");

    // Every version from 7 on, against its own number read back.
    for (int version = 7; version <= 40; ++version) {
        const std::vector<std::string> r = TemplateRows(version);
        const int s = qrtables::SymbolSide(version);
        const uint32_t info = qrtables::VersionInformation(version);
        EXPECT_EQ(info >> 12, static_cast<uint32_t>(version));
        for (int bit = 0; bit < 18; ++bit) {
            const char expected = (info >> bit) & 1 ? '1' : '0';
            EXPECT_EQ(r[s - 11 + bit % 3][bit / 3], expected) << version << " bit " << bit;
            EXPECT_EQ(r[bit / 3][s - 11 + bit % 3], expected) << version << " bit " << bit;
        }
    }
    // Below version 7 the areas are free for codewords.
    const std::vector<std::string> r6 = TemplateRows(6);
    EXPECT_EQ(Block(r6, 0, 41 - 11, 6, 3), "000000/000000/000000/");
}
