// A real module's draw procedures painting through the drawer's device
// context: when they are called (once shown, and after a notification that
// invalidated has returned), where their pixels land in the dialog's client
// area, and what the closed dialog's snapshot holds.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi_monitor.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_transcript.h"
#include "tests/standin/dialogs/dialog_test_support.h"

namespace {

using standin::kDialogFaceColor;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

using PaintingTest = DrawingModuleTest;

TEST_F(PaintingTest, ItemsArePaintedWhenShownAndAfterTheNotificationThatInvalidated) {
    const DrawingDialogMessage m = Run(kDrawingSettingsDialog, "select 5 3; type 13 xyz; press 1");
    EXPECT_EQ(m.result, 1);
    // The popup's notification ran with one paint done; the repaint came
    // after it returned. The text's notification invalidated nothing.
    EXPECT_STREQ(m.log,
                 "paint 3; paint 7; notify 5 3 (paints 1); paint 3; notify 13 3; notify 1; ");
    EXPECT_EQ(m.rect.left, 0);
    EXPECT_EQ(m.rect.top, 0);
    EXPECT_EQ(m.rect.right, 243);   // 139 dialog units at 7 pixels per 4
    EXPECT_EQ(m.rect.bottom, 231);  // 154 at 12 per 8
    const GdiCounts live = GdiLiveCounts();
    EXPECT_EQ(live.surfaceDCs, 0);
    EXPECT_EQ(live.brushes, 0);
}

TEST_F(PaintingTest, ThePixelsLandAtTheItemsPlaceInTheClientArea) {
    Run(kDrawingSettingsDialog, "select 5 3; press 1");
    const standin::DialogSnapshot& shot = Closed(kDrawingSettingsDialog);
    ASSERT_EQ(shot.surface.width, 525);
    ASSERT_EQ(shot.surface.height, 368);
    const standin::PixelImage& s = shot.surface;
    // Item 3 lies at (263, 15) to (506, 246).
    EXPECT_EQ(s.At(263, 15), kBlack);
    EXPECT_EQ(s.At(505, 245), kBlack);
    EXPECT_EQ(s.At(264, 16), kWhite);
    EXPECT_EQ(s.At(265, 17), DrawingMarkColor(3));  // painted after the selection
    EXPECT_EQ(s.At(267, 19), DrawingMarkColor(3));
    EXPECT_EQ(s.At(268, 20), kWhite);
    EXPECT_EQ(s.At(262, 15), kDialogFaceColor);
    EXPECT_EQ(s.At(263, 14), kDialogFaceColor);
    // What it painted beyond its right edge was cut off.
    EXPECT_EQ(s.At(506, 15), kDialogFaceColor);
    EXPECT_EQ(s.At(510, 20), kDialogFaceColor);
    // Item 7 starts 18 pixels left of the dialog: its visible part only.
    EXPECT_EQ(s.At(0, 225), kRed);
    EXPECT_EQ(s.At(34, 254), kRed);
    EXPECT_EQ(s.At(35, 225), kDialogFaceColor);
    EXPECT_EQ(s.At(0, 255), kDialogFaceColor);

    const standin::PixelImage preview = standin::SnapshotItemPixels(shot, 3);
    ASSERT_EQ(preview.width, 243);
    ASSERT_EQ(preview.height, 231);
    EXPECT_EQ(preview.At(0, 0), kBlack);
    EXPECT_EQ(preview.At(2, 2), DrawingMarkColor(3));
    EXPECT_EQ(preview.At(242, 230), kBlack);
    EXPECT_EQ(standin::SnapshotItemPixels(shot, 99).width, 0);
}

TEST_F(PaintingTest, TheSnapshotHoldsWhatTheUserSawWhenTheDialogClosed) {
    std::vector<standin::DialogSnapshot> closed;
    standin::SetClosedDialogListener(
        [&closed](const standin::DialogSnapshot& shot) { closed.push_back(shot); });
    Run(kDrawingSettingsDialog, "select 5 0; type 13 " + std::string("表示") + "; press 2");
    Run(kDrawingSmallDialog, "");
    standin::SetClosedDialogListener({});
    ASSERT_EQ(closed.size(), 2u);
    const standin::DialogSnapshot& shot = closed[0];
    EXPECT_EQ(shot.result, 2);
    EXPECT_EQ(shot.dialogId, kDrawingSettingsDialog);
    EXPECT_EQ(shot.plugin, "drawing.aip");
    EXPECT_EQ(shot.title, Cp932("Orvelk QRコード"));
    EXPECT_EQ(shot.units.x, 7);
    const standin::SnapshotItem* popup = standin::FindSnapshotItem(shot, 5);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->selected, 0);
    EXPECT_EQ(popup->text, Cp932("Ｌ(7%)"));
    ASSERT_EQ(popup->entries.size(), 4u);
    EXPECT_EQ(popup->entries[2], "");  // the separator of the missing string
    const standin::SnapshotItem* text = standin::FindSnapshotItem(shot, 13);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, Cp932("表示"));
    EXPECT_TRUE(text->caretAtEnd);
    EXPECT_EQ(shot.surface.At(265, 17), DrawingMarkColor(0));

    // The last of each dialog is kept too, and the small one is in MS Sans Serif.
    EXPECT_EQ(standin::LastClosedDialog()->dialogId, kDrawingSmallDialog);
    EXPECT_EQ(standin::LastClosedDialog(kDrawingSettingsDialog)->result, 2);
    EXPECT_EQ(standin::LastClosedDialog(kDrawingSmallDialog)->units.y, 13);
    EXPECT_EQ(standin::LastClosedDialog(12345), nullptr);
    standin::ClearClosedDialogs();
    EXPECT_EQ(standin::LastClosedDialog(), nullptr);
}

TEST_F(PaintingTest, TheTranscriptGivesEachItemsRectangleInPixels) {
    Run(kDrawingSettingsDialog, "press 1");
    for (const standin::TranscriptEntry& e : standin::Transcript()) {
        if (e.kind != standin::TranscriptEntry::Kind::kDialogShown) continue;
        for (const standin::ShownDialogItem& item : e.items) {
            if (item.id != 3) continue;
            EXPECT_EQ(item.rect.left, 263);
            EXPECT_EQ(item.rect.top, 15);
            EXPECT_EQ(item.rect.right, 506);
            EXPECT_EQ(item.rect.bottom, 246);
            return;
        }
    }
    ADD_FAILURE() << "the dialog was not shown with its item 3";
}

}  // namespace
