// The items' notifications inside a running settings dialog: what a choice
// or a typed text stores, encodes, writes into the information text and has
// drawn again, and what changes nothing.
#include <gtest/gtest.h>

#include <string>

#if !defined(_WIN32)
#include "platform/gdi_monitor.h"
#endif
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_blocks.h"
#include "tests/ui/dialog_fixture.h"

namespace {

using standin::HostCall;

using DialogNotifications = SettingsDialogTest;

TEST_F(DialogNotifications, APopupChoiceIsStoredEncodedShownAndDrawnAgain) {
    RunDialog([&](RunningDialog& d) {
        d.Choose(7, 10);  // version 10
        EXPECT_EQ(Globals().version, 10);
        EXPECT_EQ(Preview().side, 57);
        EXPECT_EQ(InfoText(d), Cp932("最大文字数： 213文字\r図形サイズ： 32.5×32.5mm\r"));
        EXPECT_EQ(ItemCalls(3).invalidations, 1u);

        d.Choose(5, 3);  // level H
        EXPECT_EQ(Globals().level, 3);
        EXPECT_EQ(InfoText(d), Cp932("最大文字数： 119文字\r図形サイズ： 32.5×32.5mm\r"));
        d.Choose(9, 4);  // mixed
        EXPECT_EQ(Globals().mode, 4);
        EXPECT_EQ(InfoText(d), Cp932("最大文字数： 74(119)文字\r図形サイズ： 32.5×32.5mm\r"));
        const std::string before(reinterpret_cast<const char*>(Preview().modules),
                                 sizeof Preview().modules);
        d.Choose(16, 8);  // mask pattern 7
        EXPECT_EQ(Globals().maskSetting, 8);
        EXPECT_NE(
            std::string(reinterpret_cast<const char*>(Preview().modules), sizeof Preview().modules),
            before);
        EXPECT_EQ(ItemCalls(3).invalidations, 4u);
        // The mask changed the symbol the engine made, not the text.
        EXPECT_EQ(ItemCalls(14).textWrites, 4u);
    });
}

TEST_F(DialogNotifications, ChoosingTheSelectedEntryAgainEncodesNothing) {
    RunDialog([&](RunningDialog& d) {
        const std::string info = InfoText(d);
        // An encoding now would find no table file and leave no symbol.
        RemoveTableFile();
        for (int32_t item : {5, 7, 9, 11, 16}) {
            const int32_t selected = ItemOf(d.Snapshot(), item).selected;
            ASSERT_GE(selected, 0) << item;
            d.Choose(item, selected);
        }
        EXPECT_EQ(Preview().side, 21);
        EXPECT_EQ(ItemCalls(3).invalidations, 0u);
        EXPECT_EQ(ItemCalls(14).textWrites, 1u);  // the initialisation's
        EXPECT_EQ(InfoText(d), info);
    });
}

TEST_F(DialogNotifications, TheCellSizeChangesOnlyTheFigureSize) {
    RunDialog([&](RunningDialog& d) {
        d.Choose(11, 5);  // 1.00 mm
        EXPECT_EQ(Globals().moduleSize, 5);
        EXPECT_EQ(InfoText(d), Cp932("最大文字数： 2331文字\r図形サイズ： 29×29mm\r"));
        EXPECT_EQ(ItemCalls(3).invalidations, 0u);
    });
}

TEST_F(DialogNotifications, TypedEscapesAreStoredAsTheirBytes) {
    RunDialog([&](RunningDialog& d) {
        d.Type(13, "a\\nb\\\\nc");
        EXPECT_STREQ(Globals().text, "a\nb\\\nc");
        EXPECT_EQ(ItemCalls(3).invalidations, 1u);
        // The same text again, typed with a real line feed: nothing to do.
        RemoveTableFile();
        d.Type(13, "a\nb\\\nc");
        EXPECT_EQ(ItemCalls(3).invalidations, 1u);
        EXPECT_EQ(Preview().side, 21);
        // ソ (83 5C) before n is no escape.
        const std::string so = Cp932("ソ") + "n";
        d.Type(13, so);
        EXPECT_EQ(std::string(Globals().text), so);
    });
}

TEST_F(DialogNotifications, AnEmptyOrUnencodableTextLeavesNoSymbolAndOnlyTheCapacity) {
    standin::PixelImage picture;
    RunDialog([&](RunningDialog& d) {
        const std::string capacityOnly = Cp932("最大文字数： 2331文字\r");
        d.Type(13, "");
        EXPECT_EQ(Globals().text[0], '\0');
        EXPECT_EQ(Preview().side, 0);
        EXPECT_EQ(InfoText(d), capacityOnly);
        EXPECT_EQ(ItemCalls(3).invalidations, 1u);
        // Nothing of "abc" is numeric; 15 bytes do not fit version 1 at M.
        d.Type(13, "abc");
        EXPECT_EQ(Preview().side, 21);
        d.Choose(9, 0);
        EXPECT_EQ(Preview().side, 0);
        d.Choose(9, 2);
        d.Choose(7, 1);
        d.Type(13, std::string(15, 'x'));
        EXPECT_EQ(Preview().side, 0);
        EXPECT_EQ(InfoText(d), Cp932("最大文字数： 14文字\r"));
        EXPECT_NE(d.Item(3).draw, nullptr);
        picture = standin::SnapshotItemPixels(d.Snapshot(), 3);
    });
    // The preview shows its frame and white field only.
    EXPECT_GT(picture.width, 2);
    EXPECT_GT(picture.height, 2);
    EXPECT_EQ(PixelsOffTheEmptyPreview(picture), 0);
}

TEST_F(DialogNotifications, ATextOf8192BytesIsTakenWholeAndNoMore) {
    RunDialog([&](RunningDialog& d) {
        const std::string longest(8192, '7');
        d.Type(13, longest);
        EXPECT_EQ(std::string(Globals().text), longest);
        // An item that let more through is still read as 8192 bytes.
        d.Item(13).maxTextLength = -1;
        d.Type(13, std::string(9000, '8'));
        EXPECT_EQ(d.Text(13).size(), 9000u);
        EXPECT_EQ(std::string(Globals().text), std::string(8192, '8'));
    });
}

TEST_F(DialogNotifications, WithoutItsWorkingBuffersATextIsIgnored) {
    RunDialog([&](RunningDialog& d) {
        const size_t blocks = OutstandingHostBlocks();
        // The first buffer refused, then the second with the first given.
        standin::FailHostCall(1, kSPOutOfMemoryError, HostCall::kAllocateBlock);
        d.Type(13, "lost");
        EXPECT_TRUE(standin::HostCallFailed());
        standin::FailHostCall(2, kPluginOutOfMemoryError, HostCall::kAllocateBlock);
        d.Type(13, "lost too");
        EXPECT_TRUE(standin::HostCallFailed());
        standin::FailHostCall(0, kSPNoError);
        EXPECT_STREQ(Globals().text, "*SAMPLE TEXT*");
        EXPECT_EQ(ItemCalls(3).invalidations, 0u);
        EXPECT_EQ(OutstandingHostBlocks(), blocks);
        // The next notification reads the item again.
        d.Type(13, "kept");
        EXPECT_STREQ(Globals().text, "kept");
        EXPECT_EQ(OutstandingHostBlocks(), blocks);
    });
}

TEST_F(DialogNotifications, ThePreviewDrawsTheSymbolTheDialogHolds) {
    standin::PixelImage picture;
    RunDialog([&](RunningDialog& d) {
        d.Type(13, "12345");
        picture = standin::SnapshotItemPixels(d.Snapshot(), 3);
    });
    // Version 1 unscaled: its finder pattern's top-left corner, 3 pixels a
    // module after the quiet zone, centred in the item.
    ASSERT_GE(picture.width, 87);
    ASSERT_GE(picture.height, 87);
    const int x0 = (picture.width - 87) / 2 + 12, y0 = (picture.height - 87) / 2 + 12;
    EXPECT_EQ(picture.At(x0 - 1, y0 - 1), 0xFFFFFFu);
    for (int d = 0; d < 21; ++d) {
        EXPECT_EQ(picture.At(x0 + d, y0), 0u) << d;
        EXPECT_EQ(picture.At(x0, y0 + d), 0u) << d;
    }
    EXPECT_EQ(picture.At(x0 + 3, y0 + 3), 0xFFFFFFu);
#if !defined(_WIN32)
    // Windows keeps no count of a process's objects to read here.
    const GdiCounts left = GdiLiveCounts();
    EXPECT_EQ(left.memoryDCs + left.bitmaps + left.brushes, 0);
#endif
}

}  // namespace
