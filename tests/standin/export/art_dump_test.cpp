// The text dump of a document's art tree.
#include "standin/export/art_dump.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/standin/export/symbol_art.h"

namespace {

using standin::DumpArtTree;

class ArtDumpTest : public testing::Test {
  protected:
    void SetUp() override { standin::CloseAllDocuments(); }
    void TearDown() override { standin::CloseAllDocuments(); }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(ArtDumpTest, APlacedSymbolShowsItsStoredCorners) {
    const auto matrix = EncodeTestSymbol("HELLO WORLD", 'M', 'A', 1);
    ASSERT_EQ(matrix->side, 21);
    standin::OpenDocument("Untitled-1");
    ASSERT_TRUE(DrawTestSymbol(*matrix, 300, 400, kHalfMillimetreModule));
    int dark = 0;
    for (int i = 0; i < kMaxSide * kMaxSide; ++i) dark += matrix->modules[i] != 0;

    const std::vector<std::string> lines = Lines(DumpArtTree(*standin::CurrentDocument()));
    ASSERT_EQ(lines.size(), 3u + dark);
    EXPECT_EQ(lines[0], "document \"Untitled-1\" page 595.28 841.89 view 297.640015 420.945007");
    EXPECT_EQ(lines[1], "1 group " + std::to_string(1 + dark) + " objects");
    const std::string style = " gray 1 stroke 0 gray 1 width 0.100000001 miter 4 segments 4: ";
    EXPECT_EQ(lines[2], "1.1 path closed fill 0" + style +
                            "279.448944 420.551056 279.448944 420.551056 279.448944 420.551056 "
                            "corner; 320.551056 420.551056 320.551056 420.551056 320.551056 "
                            "420.551056 corner; 320.551056 379.448944 320.551056 379.448944 "
                            "320.551056 379.448944 corner; 279.448944 379.448944 279.448944 "
                            "379.448944 279.448944 379.448944 corner");
    // The top-left module, part of a finder pattern.
    EXPECT_EQ(lines[3], "1.2 path closed fill 1" + style +
                            "285.118195 414.881805 285.118195 414.881805 285.118195 414.881805 "
                            "corner; 286.535522 414.881805 286.535522 414.881805 286.535522 "
                            "414.881805 corner; 286.535522 413.464478 286.535522 413.464478 "
                            "286.535522 413.464478 corner; 285.118195 413.464478 285.118195 "
                            "413.464478 285.118195 413.464478 corner");
    EXPECT_EQ(lines.back().rfind("1." + std::to_string(1 + dark) + " path closed fill 1", 0), 0u);
}

TEST_F(ArtDumpTest, NestedGroupsOddStylesAndNamesAreWrittenPlainly) {
    standin::Document* document = standin::OpenDocument("Say \"hi\"\t\\", 100, 50);
    document->viewCenter = {1.5f, -2};
    AIArtHandle outer = nullptr, inner = nullptr, path = nullptr, open = nullptr;
    const AIArtSuite* art = standin::StandinArtSuite();
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &outer), 0);
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, outer, &inner), 0);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, inner, &path), 0);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &open), 0);
    AIPathStyle style{};
    style.strokePaint = true;
    style.fill.color.kind = kFourColor;
    style.fill.color.c.four = {0.1f, 0.2f, 0.3f, 0.4f};
    style.fill.overprint = true;
    style.stroke.color.kind = 9;
    style.stroke.width = 2;
    style.stroke.cap = kRoundCap;
    style.stroke.join = kBevelJoin;
    style.stroke.dash.length = 2;
    style.stroke.dash.offset = 1;
    style.stroke.dash.array[0] = 3;
    style.stroke.dash.array[1] = 4;
    style.evenOdd = true;
    style.clip = true;
    ASSERT_EQ(standin::StandinPathStyleSuite()->SetPathStyle(path, &style), 0);
    const AIPathSegment curve = {{1, 2}, {3, 4}, {5, 6}, false};
    ASSERT_EQ(standin::StandinPathSuite()->SetPathSegments(path, 0, 1, &curve), 0);

    EXPECT_EQ(DumpArtTree(*document),
              "document \"Say \\\"hi\\\"\\x09\\\\\" page 100 50 view 1.5 -2\n"
              "1 group 1 objects\n"
              "1.1 group 1 objects\n"
              "1.1.1 path open fill 0 cmyk 0.100000001 0.200000003 0.300000012 0.400000006 "
              "stroke 1 kind 9 0 0 0 0 width 2 miter 0 cap 1 join 2 dash 1 2: 3 4 "
              "fill-overprint clip even-odd segments 1: 1 2 3 4 5 6 smooth\n"
              "2 path open fill 0 gray 0 stroke 0 gray 0 width 0 miter 0 segments 0\n");
}

}  // namespace
