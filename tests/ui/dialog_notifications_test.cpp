// The items' notifications inside a running settings dialog: what a choice
// or a typed text stores, encodes, writes into the information text and has
// drawn again, and what changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/platform/gdi_test_support.h"
#include "tests/ui/dialog_fixture.h"

namespace {

using DialogNotifications = SettingsDialogTest;

TEST_F(DialogNotifications, APopupChoiceIsStoredEncodedShownAndDrawnAgain) {
    RunDialog([&] {
        FakeUserChooses(7, 10);  // version 10
        EXPECT_EQ(Globals().version, 10);
        EXPECT_EQ(Preview().side, 57);
        EXPECT_EQ(InfoText(), Cp932("最大文字数： 213文字\r図形サイズ： 32.5×32.5mm\r"));
        EXPECT_EQ(FakeRunningItem(3).invalidations, 1);

        FakeUserChooses(5, 3);  // level H
        EXPECT_EQ(Globals().level, 3);
        EXPECT_EQ(InfoText(), Cp932("最大文字数： 119文字\r図形サイズ： 32.5×32.5mm\r"));
        FakeUserChooses(9, 4);  // mixed
        EXPECT_EQ(Globals().mode, 4);
        EXPECT_EQ(InfoText(), Cp932("最大文字数： 74(119)文字\r図形サイズ： 32.5×32.5mm\r"));
        const std::string before(reinterpret_cast<const char*>(Preview().modules),
                                 sizeof Preview().modules);
        FakeUserChooses(16, 8);  // mask pattern 7
        EXPECT_EQ(Globals().maskSetting, 8);
        EXPECT_NE(
            std::string(reinterpret_cast<const char*>(Preview().modules), sizeof Preview().modules),
            before);
        EXPECT_EQ(FakeRunningItem(3).invalidations, 4);
        // The mask changed the symbol the engine made, not the text.
        EXPECT_EQ(FakeRunningItem(14).textWrites, 4);
    });
}

TEST_F(DialogNotifications, ChoosingTheSelectedEntryAgainEncodesNothing) {
    RunDialog([&] {
        const std::string info = InfoText();
        // An encoding now would find no table file and leave no symbol.
        RemoveTableFile();
        for (int32_t item : {5, 7, 9, 11, 16}) {
            const FakeItem& popup = FakeRunningItem(item);
            int32_t selected = 0;
            while (!popup.entries[size_t(selected)]->selected) ++selected;
            FakeUserChooses(item, selected);
        }
        EXPECT_EQ(Preview().side, 21);
        EXPECT_EQ(FakeRunningItem(3).invalidations, 0);
        EXPECT_EQ(FakeRunningItem(14).textWrites, 1);  // the initialisation's
        EXPECT_EQ(InfoText(), info);
    });
}

TEST_F(DialogNotifications, TheCellSizeChangesOnlyTheFigureSize) {
    RunDialog([&] {
        FakeUserChooses(11, 5);  // 1.00 mm
        EXPECT_EQ(Globals().moduleSize, 5);
        EXPECT_EQ(InfoText(), Cp932("最大文字数： 2331文字\r図形サイズ： 29×29mm\r"));
        EXPECT_EQ(FakeRunningItem(3).invalidations, 0);
    });
}

TEST_F(DialogNotifications, TypedEscapesAreStoredAsTheirBytes) {
    RunDialog([&] {
        FakeUserTypes(13, "a\\nb\\\\nc");
        EXPECT_STREQ(Globals().text, "a\nb\\\nc");
        EXPECT_EQ(FakeRunningItem(3).invalidations, 1);
        // The same text again, typed with a real line feed: nothing to do.
        RemoveTableFile();
        FakeUserTypes(13, "a\nb\\\nc");
        EXPECT_EQ(FakeRunningItem(3).invalidations, 1);
        EXPECT_EQ(Preview().side, 21);
        // ソ (83 5C) before n is no escape.
        const std::string so = Cp932("ソ") + "n";
        FakeUserTypes(13, so);
        EXPECT_EQ(std::string(Globals().text), so);
    });
}

TEST_F(DialogNotifications, AnEmptyOrUnencodableTextLeavesNoSymbolAndOnlyTheCapacity) {
    gdi_test::Window window(40, 30);
    host_.itemRects[3] = ADMRect{0, 0, 40, 30};
    RunDialog([&] {
        const std::string capacityOnly = Cp932("最大文字数： 2331文字\r");
        FakeUserTypes(13, "");
        EXPECT_EQ(Globals().text[0], '\0');
        EXPECT_EQ(Preview().side, 0);
        EXPECT_EQ(InfoText(), capacityOnly);
        EXPECT_EQ(FakeRunningItem(3).invalidations, 1);
        // Nothing of "abc" is numeric; 15 bytes do not fit version 1 at M.
        FakeUserTypes(13, "abc");
        EXPECT_EQ(Preview().side, 21);
        FakeUserChooses(9, 0);
        EXPECT_EQ(Preview().side, 0);
        FakeUserChooses(9, 2);
        FakeUserChooses(7, 1);
        FakeUserTypes(13, std::string(15, 'x'));
        EXPECT_EQ(Preview().side, 0);
        EXPECT_EQ(InfoText(), Cp932("最大文字数： 14文字\r"));
        EXPECT_TRUE(FakeDrawItem(3, window.dc));
    });
    // The preview shows its frame and white field only.
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool frame = x == 0 || y == 0 || x == 39 || y == 29;
            ASSERT_EQ(window.At(x, y), frame ? 0u : 0xFFFFFFu) << x << "," << y;
        }
    }
}

TEST_F(DialogNotifications, ATextOf8192BytesIsTakenWholeAndNoMore) {
    RunDialog([&] {
        const std::string longest(8192, '7');
        FakeUserTypes(13, longest);
        EXPECT_EQ(std::string(Globals().text), longest);
        // An item that let more through is still read as 8192 bytes.
        FakeRunningItem(13).maxTextLength = -1;
        FakeUserTypes(13, std::string(9000, '8'));
        EXPECT_EQ(std::string(Globals().text), std::string(8192, '8'));
    });
    EXPECT_NE(std::find(host_.admCalls.begin(), host_.admCalls.end(), "GetText 13 8192"),
              host_.admCalls.end());
}

TEST_F(DialogNotifications, WithoutItsWorkingBuffersATextIsIgnored) {
    RunDialog([&] {
        const int32_t blocks = host_.liveBlocks;
        host_.allocateGivesNull = true;
        FakeUserTypes(13, "lost");
        host_.allocateGivesNull = false;
        host_.allocateError = kPluginOutOfMemoryError;
        FakeUserTypes(13, "lost too");
        host_.allocateError = kSPNoError;
        EXPECT_STREQ(Globals().text, "*SAMPLE TEXT*");
        EXPECT_EQ(FakeRunningItem(3).invalidations, 0);
        EXPECT_EQ(host_.liveBlocks, blocks);
        // The next notification reads the item again.
        FakeUserTypes(13, "kept");
        EXPECT_STREQ(Globals().text, "kept");
        EXPECT_EQ(host_.liveBlocks, blocks);
    });
}

TEST_F(DialogNotifications, ThePreviewDrawsTheSymbolTheDialogHolds) {
    host_.itemRects[3] = ADMRect{0, 0, 208, 231};
    gdi_test::Window window(208, 231);
    RunDialog([&] {
        FakeUserTypes(13, "12345");
        EXPECT_TRUE(FakeDrawItem(3, window.dc));
    });
    // Version 1 unscaled: its finder pattern's top-left corner, 3 pixels a
    // module after the quiet zone, centred in the item.
    const int x0 = (208 - 87) / 2 + 12, y0 = (231 - 87) / 2 + 12;
    EXPECT_EQ(window.At(x0 - 1, y0 - 1), 0xFFFFFFu);
    for (int d = 0; d < 21; ++d) {
        EXPECT_EQ(window.At(x0 + d, y0), 0u) << d;
        EXPECT_EQ(window.At(x0, y0 + d), 0u) << d;
    }
    EXPECT_EQ(window.At(x0 + 3, y0 + 3), 0xFFFFFFu);
    const GdiCounts left = GdiLiveCounts();
    EXPECT_EQ(left.memoryDCs + left.bitmaps + left.brushes, 0);
}

}  // namespace
