// Option values as people type them: names in any case, the nearest name for
// a slip, colours in hex.
#include "standin/cli/option_values.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionValues, NamesMatchInAnyCaseButWhole) {
    const std::vector<std::string_view> names = {"text", "utf8", "png"};
    EXPECT_EQ(MatchName("PNG", names), 2);
    EXPECT_EQ(MatchName("Utf8", names), 1);
    EXPECT_EQ(MatchName("pn", names), -1);
    EXPECT_EQ(MatchName("pngs", names), -1);
    EXPECT_EQ(MatchName("", names), -1);
}

TEST(OptionValues, TheNearestNameIsSuggestedOnlyWhenClose) {
    const std::vector<std::string_view> options = {"level", "version", "verbose",
                                                   "mode",  "text",    "text-file"};
    EXPECT_EQ(NearestName("levle", options), "level");
    EXPECT_EQ(NearestName("LEVEL", options), "level");
    EXPECT_EQ(NearestName("verison", options), "version");
    EXPECT_EQ(NearestName("text-fil", options), "text-file");  // the only one it begins
    EXPECT_EQ(NearestName("ver", options), "");                // begins two: no guess
    EXPECT_EQ(NearestName("frobnicate", options), "");
    EXPECT_EQ(NearestName("", options), "");
}

TEST(OptionValues, ColoursAreSixOrEightHexDigits) {
    RgbaColour c;
    ASSERT_TRUE(ParseColour("1a2B3c", &c));
    EXPECT_EQ(c, (RgbaColour{0x1A, 0x2B, 0x3C, 255}));
    ASSERT_TRUE(ParseColour("#FFFFFF80", &c));
    EXPECT_EQ(c, (RgbaColour{255, 255, 255, 0x80}));
    for (const char* bad :
         {"", "#", "12345", "1234567", "123456789", "GG0000", "12 456", "#-12345"})
        EXPECT_FALSE(ParseColour(bad, &c)) << bad;
}

}  // namespace
