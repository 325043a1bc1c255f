// The filter run through the real settings dialog within one run of the
// host, as `orvelk place` drives it: Cancel keeps the changes in memory for
// the next dialog and the next "AI Go" but not in the preferences file, the
// mask chosen after a recording changes its playback, and the longest text
// is taken whole.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "standin/cli/place_dialog.h"
#include "standin/dialogs/user_script.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/text/cp932.h"
#include "tests/standin/cli/app_folder_copy.h"
#include "tests/standin/cli/app_folder_session.h"
#include "tests/standin/placing/placed_symbol.h"

namespace {

using standin::UserStep;

constexpr ASErr kCancelled = MakeFourCharError("STOP");

class PlaceSessionTest : public AppFolderSessionTest {
  protected:
    PlaceSessionTest() : AppFolderSessionTest("place_session") {}

    // "AI Get Parameters" with the user doing `steps`.
    ASErr Dialog(std::vector<UserStep> steps) {
        standin::SetUserScript(std::move(steps));
        const ASErr result = standin::SendFilterGetParameters(standin::Filters().at(0));
        EXPECT_EQ(standin::FailedUserSteps() + standin::LeftoverUserSteps(), 0u);
        return result;
    }
    ASErr Go() { return standin::SendFilterGo(standin::Filters().at(0)); }

    // The symbol on top of the current document.
    std::string PlacedMatrix() const {
        const standin::Document* d = standin::CurrentDocument();
        return d->art.children.empty() ? std::string() : MatrixOfGroup(*d->art.children.back());
    }

    // The texts of the settings dialog's items when it was last shown.
    std::vector<std::string> ShownTexts(const std::vector<int32_t>& ids) const {
        std::vector<std::string> texts = ShownItemTexts(kSettingsDialogID, ids);
        for (std::string& text : texts) text = Cp932ToUtf8Lossy(text);
        return texts;
    }
};

UserStep Select(int32_t item, int32_t entry) {
    return SelectStep(item, entry);
}
UserStep Type(const std::string& text) {
    return TypeTextStep(text);
}
UserStep Press(int32_t item) {
    return PressStep(item);
}

TEST_F(PlaceSessionTest, CancelKeepsTheChangesForTheNextDialogAndGoButDoesNotSaveThem) {
    ASSERT_EQ(Dialog({Type("FIRST"), Press(kOkItem)}), kSPNoError);
    const std::string saved = PreferencesBytes(app_);
    ASSERT_NE(saved.find("\"FIRST\""), std::string::npos) << saved;

    standin::ClearTranscript();
    EXPECT_EQ(Dialog({Select(kLevelPopupItem, 3), Select(kVersionPopupItem, 2),
                      Select(kCellSizePopupItem, 9), Select(kMaskPopupItem, 4), Type("CHANGED"),
                      Press(kCancelItem)}),
              kCancelled);
    EXPECT_EQ(PreferencesBytes(app_), saved);
    EXPECT_TRUE(Heard().empty());  // no error dialog for a cancel
    EXPECT_EQ(document_->art.children.size(), 0u);

    // A later "AI Go" draws what the dialog was showing, mask included.
    ASSERT_EQ(Go(), kSPNoError);
    EXPECT_EQ(PlacedMatrix(), EngineMatrix("CHANGED", 'H', 'B', 2, 4));

    // The next dialog opens with the changes; cancelling it again saves nothing.
    standin::ClearTranscript();
    EXPECT_EQ(Dialog({Press(kCancelItem)}), kCancelled);
    EXPECT_EQ(ShownTexts({kLevelPopupItem, kVersionPopupItem, kCellSizePopupItem,
                          kMaskPopupItem, kTextItem}),
              (std::vector<std::string>{"Ｈ(30%)", "2", "4.00", "3", "CHANGED"}));
    EXPECT_EQ(PreferencesBytes(app_), saved);
}

TEST_F(PlaceSessionTest, TheMaskChosenAfterARecordingChangesItsPlayback) {
    const std::string text = "MASK AFTER RECORDING";
    standin::SetActionRecording(true);
    ASSERT_EQ(Dialog({Type(text), Press(kOkItem)}), kSPNoError);
    ASSERT_EQ(Go(), kSPNoError);
    standin::SetActionRecording(false);
    ASSERT_EQ(standin::RecordedActions().size(), 1u);
    const standin::RecordedAction recorded = standin::RecordedActions()[0];
    const std::string placed = PlacedMatrix();
    ASSERT_EQ(placed, EngineMatrix(text, 'M', 'B', 0));

    // Mask 2 chosen in a dialog that is then cancelled.
    ASSERT_EQ(Dialog({Select(kMaskPopupItem, 3), Press(kCancelItem)}), kCancelled);
    standin::OpenDocument("Untitled-2");
    ASSERT_EQ(Play(recorded), kSPNoError);
    const std::string replayed = PlacedMatrix();
    EXPECT_EQ(replayed, EngineMatrix(text, 'M', 'B', 0, 3));
    EXPECT_NE(replayed, placed);
}

TEST_F(PlaceSessionTest, TheLongestTextIsTypedWholeAndNoMore) {
    const std::string whole(8192, 'B');
    ASSERT_EQ(Dialog({Type(whole), Press(kOkItem)}), kSPNoError);
    EXPECT_EQ(std::strlen(Globals().text), 8192u);
    ASSERT_EQ(Dialog({Type(whole + "C"), Press(kOkItem)}), kSPNoError);
    EXPECT_EQ(std::string(Globals().text), whole);
}

}  // namespace
