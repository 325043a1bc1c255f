// The character capacity and the information text, byte for byte.
#include "ui/info_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932_text.h"

namespace {

TEST(CharacterCapacity, CountsWholeGroupsAtTheStandardsWidths) {
    struct Case {
        char level, mode;
        int32_t version, capacity;
    };
    const Case kCases[] = {
        // Numeric and alphanumeric count only whole groups of 3 and 2.
        {'L', 'N', 1, 39},
        {'L', 'A', 1, 24},
        {'M', 'N', 40, 5595},
        {'M', 'A', 40, 3390},
        // 8-bit byte and Kanji match the standard's capacities.
        {'L', 'B', 1, 17},
        {'L', 'K', 1, 10},
        {'M', 'B', 1, 14},
        {'H', 'B', 1, 7},
        {'Q', 'K', 1, 7},
        {'L', 'B', 40, 2953},
        {'L', 'K', 40, 1817},
        {'H', 'K', 40, 784},
        // The count widths change at version 10.
        {'L', 'B', 9, 230},
        {'L', 'B', 10, 271},
        {'M', 'N', 9, 432},
        {'M', 'N', 10, 513},
        // Automatic reads as version 40.
        {'M', 'B', 0, 2331},
        {'H', 'N', 0, 3057},
        // Any other level letter is M; any other mode letter holds nothing.
        {'x', 'B', 1, 14},
        {'L', 'M', 1, 0},
        {'L', 'b', 1, 0},
        // Versions outside 0 to 40.
        {'L', 'B', -1, 0},
        {'L', 'B', 41, 0},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(CharacterCapacity(c.level, c.mode, c.version), c.capacity)
            << c.level << " " << c.mode << " " << c.version;
    }
}

class InformationText : public testing::Test {
  protected:
    void SetUp() override { SetDefaultGlobals(&globals_); }

    std::string Format(int32_t side) {
        char text[kInfoLineSize];
        const int32_t length = FormatInformationText(&globals_, side, text);
        EXPECT_EQ(length, static_cast<int32_t>(std::string(text).size()));
        return text;
    }

    PluginGlobals globals_ = {};
};

TEST_F(InformationText, CapacityAndFigureSizeLinesEndInACarriageReturn) {
    globals_.version = 1;  // level M, 8-bit byte, 0.50 mm
    EXPECT_EQ(Format(21), Cp932("最大文字数： 14文字\r図形サイズ： 14.5×14.5mm\r"));
    // Without a symbol only the capacity line.
    EXPECT_EQ(Format(0), Cp932("最大文字数： 14文字\r"));
    // Automatic version: version 40's capacity, the symbol's own size.
    globals_.version = 0;
    EXPECT_EQ(Format(25), Cp932("最大文字数： 2331文字\r図形サイズ： 16.5×16.5mm\r"));
}

TEST_F(InformationText, MixedModeShowsKanjiThenBytesInParentheses) {
    globals_.mode = 4;
    globals_.level = 0;
    globals_.version = 1;
    EXPECT_EQ(Format(0), Cp932("最大文字数： 10(17)文字\r"));
    globals_.version = 0;
    EXPECT_EQ(Format(0), Cp932("最大文字数： 1817(2953)文字\r"));
}

TEST_F(InformationText, FigureSizeIsSixSignificantDigitsOfTheCellSize) {
    struct Case {
        int32_t sizeIndex, side;
        const char* size;
    };
    const Case kCases[] = {
        {0, 21, "5.8"},                       // 29 x 0.20
        {2, 21, "9.57"},                      // 29 x 0.33, not 9.5700000000000003
        {2, 177, "61.05"}, {10, 177, "925"},  // no trailing zeros
        {5, 57, "65"},
    };
    globals_.mode = 0;
    globals_.version = 40;
    for (const Case& c : kCases) {
        globals_.moduleSize = c.sizeIndex;
        const std::string size = c.size;
        EXPECT_EQ(Format(c.side),
                  Cp932("最大文字数： 5595文字\r図形サイズ： ") + size + Cp932("×") + size + "mm\r")
            << c.sizeIndex;
    }
}

}  // namespace
