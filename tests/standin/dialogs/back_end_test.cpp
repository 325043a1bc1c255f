// Modal runs handed to a window back end: what the back end is told, and how
// the person's actions, handed back as user steps, reach the plug-in.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/adm_suites.h"
#include "standin/suites/adm/dialog_back_end.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/host/host_transcript.h"
#include "tests/standin/dialogs/dialog_test_support.h"

namespace {

using standin::AdmDialog;
using standin::AdmItem;
using standin::UserStep;

// A back end whose "person" is a function run in place of a window's loop.
class RecordingBackEnd : public standin::DialogBackEnd {
  public:
    std::function<void(AdmDialog*)> person;
    std::vector<std::string> heard;

    void RunModal(AdmDialog* dialog) override {
        heard.push_back("run " + std::to_string(dialog->resourceId));
        if (person) person(dialog);
    }
    void ItemChanged(AdmItem* item) override {
        heard.push_back("changed " + std::to_string(item->id));
    }
    void ItemInvalidated(AdmItem* item) override {
        heard.push_back("invalid " + std::to_string(item->id));
    }
};

class BackEndTest : public DrawingModuleTest {
  protected:
    void SetUp() override {
        DrawingModuleTest::SetUp();
        standin::SetDialogBackEnd(&backEnd_);
    }
    void TearDown() override {
        standin::SetDialogBackEnd(nullptr);
        DrawingModuleTest::TearDown();
    }
    RecordingBackEnd backEnd_;
};

UserStep Step(UserStep::Action action, int32_t item, int32_t index = 0, std::string text = {}) {
    UserStep step;
    step.action = action;
    step.item = item;
    step.index = index;
    step.text = std::move(text);
    return step;
}

TEST_F(BackEndTest, StepsFromTheWindowReachThePluginAndItsPaintWaitsForTheBackEnd) {
    std::vector<std::string> misfits;
    std::string typed;
    backEnd_.person = [&](AdmDialog* dialog) {
        using A = UserStep::Action;
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kSelect, 5, 3)));
        // The notification invalidated item 3; nothing painted it yet.
        standin::PaintDialogItems(dialog);
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kType, 13, 0, "abcdefghijk")));
        typed = standin::FindItem(dialog, 13)->text;
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kSelect, 5, 9)));
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kPress, 14)));
        EXPECT_FALSE(dialog->ended);  // a step that does not fit keeps the window open
        EXPECT_EQ(standin::DefaultButtonOf(dialog)->id, 1);
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kPress, 1)));
        EXPECT_TRUE(dialog->ended);
        misfits.push_back(standin::ApplyUserStep(dialog, Step(A::kPress, 1)));
    };
    const DrawingDialogMessage m = Run(kDrawingSettingsDialog, "");
    EXPECT_EQ(m.result, 1);
    EXPECT_STREQ(m.log,
                 "paint 3; paint 7; notify 5 3 (paints 1); paint 3; notify 13 8; notify 1; ");
    EXPECT_EQ(typed, "abcdefgh");  // the item's limit of 8 bytes
    ASSERT_EQ(misfits.size(), 6u);
    EXPECT_EQ(misfits[0], "");
    EXPECT_EQ(misfits[1], "");
    EXPECT_EQ(misfits[2], "item 5 has no entry 9 (it has 4)");
    EXPECT_EQ(misfits[3], "item 14 is a text, which cannot be pressed");
    EXPECT_EQ(misfits[4], "");
    EXPECT_EQ(misfits[5], "the dialog has ended");
    // Init's changes came before the window; the popup's invalidation after.
    EXPECT_EQ(backEnd_.heard, (std::vector<std::string>{"run 100", "invalid 3"}));
    EXPECT_EQ(Closed(kDrawingSettingsDialog).result, 1);
    EXPECT_EQ(standin::FailedUserSteps(), 0u);
}

TEST_F(BackEndTest, ThePluginsChangesWhileShownAreMirroredToTheBackEnd) {
    backEnd_.person = [&](AdmDialog* dialog) {
        const ADMItemSuite* item = standin::StandinADMItemSuite();
        const ADMEntrySuite* entry = standin::StandinADMEntrySuite();
        const ADMListSuite* list = standin::StandinADMListSuite();
        item->SetText(standin::RefOf(standin::FindItem(dialog, 14)), "new");
        item->SetMaxTextLength(standin::RefOf(standin::FindItem(dialog, 13)), 4);
        const ADMListRef popup = item->GetList(standin::RefOf(standin::FindItem(dialog, 5)));
        entry->Select(list->IndexEntry(popup, 2), kASTrue);
        list->InsertEntry(popup, 9);
        item->Invalidate(standin::RefOf(standin::FindItem(dialog, 7)));
        standin::ApplyUserStep(dialog, Step(UserStep::Action::kClose, 0));
    };
    const DrawingDialogMessage m = Run(kDrawingSettingsDialog, "");
    EXPECT_EQ(m.result, 2);
    EXPECT_EQ(backEnd_.heard,
              (std::vector<std::string>{"run 100", "changed 14", "invalid 14", "changed 13",
                                        "changed 5", "changed 5", "invalid 7"}));
}

TEST_F(BackEndTest, ABackEndThatGivesTheRunBackOpenEndsItWithNoResult) {
    const DrawingDialogMessage m = Run(kDrawingSmallDialog, "");
    EXPECT_EQ(m.result, standin::kNoDialogResult);
    bool noted = false;
    for (const standin::TranscriptEntry& entry : standin::Transcript())
        if (entry.text.find("its window closed while it ran") != std::string::npos) noted = true;
    EXPECT_TRUE(noted);
    // Without a back end the scripted user runs the dialogs again.
    standin::SetDialogBackEnd(nullptr);
    EXPECT_EQ(Run(kDrawingSmallDialog, "").result, 1);
    EXPECT_EQ(backEnd_.heard, (std::vector<std::string>{"run 101"}));
}

}  // namespace
