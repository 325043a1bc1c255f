// Dialog units to pixels: MulDiv's rounding, the base units of the two dialog
// fonts against the faces that stand in for them, and the Orvelk module's own
// dialogs laid out.
#include <gtest/gtest.h>

#include <climits>

#include "standin/dialogs/dialog_layout.h"
#include "standin/render/text_setup.h"
#include "tests/standin/dialogs/dialog_test_support.h"

// Rectangles compare and print in the tests; ADMRect is a plain record of the
// host interface, found by its own (global) namespace.
static bool operator==(const ADMRect& a, const ADMRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
[[maybe_unused]] static void PrintTo(const ADMRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

using standin::DialogFontFor;
using standin::MulDivRounded;

const ADMRect& RectOf(const standin::DialogLayout& layout, const standin::DialogResource& dialog,
                      int32_t id) {
    for (size_t i = 0; i < dialog.items.size(); ++i)
        if (dialog.items[i].id == id) return layout.items[i];
    ADD_FAILURE() << "no item " << id;
    return layout.items.front();
}

TEST(DialogLayout, MulDivRoundsHalvesAwayFromZeroAndFailsAsWindowsDoes) {
    EXPECT_EQ(MulDivRounded(139, 6, 4), 209);  // 208.5
    EXPECT_EQ(MulDivRounded(-139, 6, 4), -209);
    EXPECT_EQ(MulDivRounded(139, 7, 4), 243);   // 243.25
    EXPECT_EQ(MulDivRounded(245, 12, 8), 368);  // 367.5
    EXPECT_EQ(MulDivRounded(5, 1, -2), -3);
    EXPECT_EQ(MulDivRounded(1, 1, 0), -1);
    EXPECT_EQ(MulDivRounded(INT32_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(INT32_MAX, 2, 2), INT32_MAX);  // the product needs 64 bits
}

TEST(DialogLayout, FontsAreKnownByNameAndSizeAndOthersGetTheDefault) {
    const standin::DialogFontFace& gothic = DialogFontFor(Cp932("ＭＳ Ｐゴシック"), 9);
    EXPECT_EQ(gothic.units.x, 7);
    EXPECT_EQ(gothic.units.y, 12);
    EXPECT_STREQ(gothic.substituteFamily, "IPAPGothic");
    EXPECT_EQ(gothic.substitutePixels, 12.0);
    const standin::DialogFontFace& sans = DialogFontFor("ms sans SERIF", 8);
    EXPECT_EQ(sans.units.x, 6);
    EXPECT_EQ(sans.units.y, 13);
    EXPECT_EQ(&sans, &standin::DialogFontFaces().front());
    // Another size, another font, or none: laid out as the default.
    EXPECT_EQ(&DialogFontFor(Cp932("ＭＳ Ｐゴシック"), 8), &sans);
    EXPECT_EQ(&DialogFontFor("Tahoma", 8), &sans);
    EXPECT_EQ(&DialogFontFor("", 0), &sans);
    EXPECT_EQ(&DialogFontFor("MS Sans Seri", 8), &sans);
}

// The constants hold what the faces the pictures are drawn with measure by
// Windows's rule; a different font set on the machine shows up here first.
TEST(DialogLayout, BaseUnitsAgreeWithTheSubstituteFaces) {
    const standin::DialogFontFace& gothic = DialogFontFor(Cp932("ＭＳ Ｐゴシック"), 9);
    const standin::FaceMetrics g =
        standin::MeasureFace(gothic.substituteFamily, gothic.substitutePixels);
    EXPECT_EQ(g.family, "IPAPGothic");
    EXPECT_EQ(g.units.x, gothic.units.x);
    EXPECT_EQ(g.units.y, gothic.units.y);

    // MS Sans Serif keeps the values Windows gives it; its stand-in face
    // agrees on the width (its height lacks the bitmap font's leading).
    const standin::DialogFontFace& sans = DialogFontFor("MS Sans Serif", 8);
    const standin::FaceMetrics s =
        standin::MeasureFace(sans.substituteFamily, sans.substitutePixels);
    EXPECT_EQ(s.family, "Nimbus Sans");
    EXPECT_EQ(s.units.x, sans.units.x);
    EXPECT_LE(s.lineHeight, sans.units.y);
}

// The Orvelk module's settings and error dialogs, in their two fonts.
TEST(DialogLayout, TheModulesDialogsInPixels) {
    struct Expected {
        int32_t item;
        ADMRect rect;
    };
    struct Case {
        int32_t dialog;
        standin::DialogBaseUnits units;
        int32_t width, height;
        std::vector<Expected> items;
    };
    const Case cases[] = {
        {16052,
         {7, 12},
         525,
         368,                           // 300 x 245 dialog units
         {{3, {263, 15, 506, 246}},     // 150, 10, 139, 154
          {14, {18, 188, 249, 262}},    // 10, 125, 132, 49
          {13, {18, 290, 506, 313}},    // 10, 193, 279, 15
          {5, {114, 26, 247, 44}},      // 65, 17, 76, 12
          {1, {303, 330, 391, 351}}}},  // 173, 220, 50, 14
        {16051,
         {6, 13},
         278,
         150,                       // 185 x 92
         {{2, {65, 20, 254, 66}},   // 43, 12, 126, 28
          {4, {15, 16, 42, 49}}}},  // 10, 10, 18, 20
    };
    for (const Case& c : cases) {
        const std::optional<standin::DialogResource> dialog = OrvelkDialog(c.dialog);
        if (!dialog) GTEST_SKIP() << "the Orvelk module was not built";
        const standin::DialogLayout layout = standin::LayOutDialog(*dialog);
        EXPECT_EQ(layout.units.x, c.units.x) << c.dialog;
        EXPECT_EQ(layout.units.y, c.units.y) << c.dialog;
        EXPECT_EQ(layout.width, c.width) << c.dialog;
        EXPECT_EQ(layout.height, c.height) << c.dialog;
        for (const Expected& e : c.items)
            EXPECT_EQ(RectOf(layout, *dialog, e.item), e.rect) << c.dialog << " item " << e.item;
    }
}

}  // namespace
