// PluginGlobals' defaults and the conversions of its settings.
#include "globals/plugin_globals.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>


namespace {

#ifdef NDEBUG
constexpr bool kAssertsOn = false;
#else
constexpr bool kAssertsOn = true;
#endif

// An index outside its range: debug builds stop on the assert, release builds
// give the fallback.
#define EXPECT_FALLBACK(expr, fallback)                \
    do {                                               \
        EXPECT_DEBUG_DEATH((void)(expr), "Assertion"); \
        if (!kAssertsOn) {                             \
            EXPECT_EQ((expr), (fallback)) << #expr;    \
        }                                              \
    } while (0)

TEST(PluginGlobals, DefaultsClearEverythingElse) {
    PluginGlobals g;
    std::memset(&g, 0xAB, sizeof g);
    SetDefaultGlobals(&g);
    EXPECT_EQ(g.filter, nullptr);
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.version, 0);
    EXPECT_EQ(g.mode, 2);
    EXPECT_EQ(g.maskSetting, 0);
    EXPECT_EQ(g.moduleSize, 3);
    EXPECT_EQ(g.previewMatrix, nullptr);
    for (char c : g.infoLine) ASSERT_EQ(c, 0);
    EXPECT_STREQ(g.text, "*SAMPLE TEXT*");
    for (size_t i = std::strlen("*SAMPLE TEXT*"); i < sizeof g.text; ++i) ASSERT_EQ(g.text[i], 0);
    EXPECT_EQ(sizeof g.text, 8193u);
    EXPECT_EQ(sizeof g.infoLine, 80u);
}

TEST(SettingConversions, IndicesGiveTheirLetters) {
    const char levels[] = {'L', 'M', 'Q', 'H'};
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(LevelCharFromIndex(i), levels[i]) << i;
    const char modes[] = {'N', 'A', 'B', 'K', 'M'};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(ModeCharFromIndex(i), modes[i]) << i;
}

TEST(SettingConversions, ModuleSizesInMillimetresAndPoints) {
    const double mm[] = {0.20, 0.25, 0.33, 0.50, 0.75, 1.00, 1.50, 2.00, 3.00, 4.00, 5.00};
    for (int32_t i = 0; i < 11; ++i) {
        EXPECT_DOUBLE_EQ(ModuleSizeMillimetres(i), mm[i]) << i;
        EXPECT_DOUBLE_EQ(ModuleSizePoints(i), mm[i] / 0.35278) << i;
    }
    // What an action records for index 3, as a 32-bit float.
    EXPECT_NEAR(static_cast<float>(ModuleSizePoints(3)), 1.4173f, 1e-4f);
}

TEST(SettingConversions, OutOfRangeIndicesFallBackToTheDefaults) {
    EXPECT_FALLBACK(LevelCharFromIndex(-1), 'M');
    EXPECT_FALLBACK(LevelCharFromIndex(4), 'M');
    EXPECT_FALLBACK(LevelCharFromIndex(INT_MIN), 'M');
    EXPECT_FALLBACK(ModeCharFromIndex(-1), 'B');
    EXPECT_FALLBACK(ModeCharFromIndex(5), 'B');
    EXPECT_FALLBACK(ModeCharFromIndex(INT_MAX), 'B');
    EXPECT_FALLBACK(ModuleSizeMillimetres(-1), 0.50);
    EXPECT_FALLBACK(ModuleSizeMillimetres(11), 0.50);
    EXPECT_FALLBACK(ModuleSizePoints(11), 0.50 / 0.35278);
}

}  // namespace
