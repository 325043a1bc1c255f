// The scripted user in a real module's dialog: popup choices, typing cut to
// the text's limit, OK, Cancel and other buttons, and steps that cannot be
// carried out, counted with the steps left over.
#include <gtest/gtest.h>

#include <string>

#include "standin/suites/adm/dialog_manager.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_transcript.h"
#include "tests/standin/dialogs/dialog_test_support.h"

namespace {

using UserStepsTest = DrawingModuleTest;

std::string LastNote() {
    std::string note;
    for (const standin::TranscriptEntry& e : standin::Transcript())
        if (e.kind == standin::TranscriptEntry::Kind::kNote) note = e.text;
    return note;
}

TEST_F(UserStepsTest, TypingIsCutToTheLimitAtWholeCharactersWithOneNotification) {
    // "ソ" ends in the byte 0x5C; the limit of 8 bytes falls inside "表".
    DrawingDialogMessage m = Run(kDrawingSettingsDialog, "type 13 ソ\\n123表; press 1");
    EXPECT_EQ(m.result, 1);
    EXPECT_STREQ(m.log, "paint 3; paint 7; notify 13 7; notify 1; ");
    EXPECT_EQ(standin::FindSnapshotItem(Closed(kDrawingSettingsDialog), 13)->text,
              Cp932("ソ\\n123"));
    m = Run(kDrawingSettingsDialog, "type 13 12345678; type 13 ; press 1");
    EXPECT_STREQ(m.log, "paint 3; paint 7; notify 13 8; notify 13 0; notify 1; ");
    EXPECT_EQ(standin::FailedUserSteps(), 0u);
    EXPECT_EQ(standin::LeftoverUserSteps(), 0u);
}

TEST_F(UserStepsTest, OnlyOkAndCancelCloseByDefault) {
    EXPECT_EQ(Run(kDrawingSettingsDialog, "press 2").result, 2);
    EXPECT_EQ(Run(kDrawingSettingsDialog, "close").result, 2);
    // "Apply" keeps the default notification, which closes nothing.
    const DrawingDialogMessage m = Run(kDrawingSettingsDialog, "press 6; press 1");
    EXPECT_EQ(m.result, 1);
    EXPECT_STREQ(m.log, "paint 3; paint 7; notify 1; ");
    // Choosing the entry already selected still notifies, as a drop-down does.
    EXPECT_STREQ(Run(kDrawingSettingsDialog, "select 5 1; press 1").log,
                 "paint 3; paint 7; notify 5 1 (paints 1); paint 3; notify 1; ");
}

TEST_F(UserStepsTest, StepsThatCannotBeCarriedOutAreReportedAndCounted) {
    struct Case {
        const char* script;
        const char* note;
    };
    const Case cases[] = {
        {"press 42; press 1; press 2", "it has no item 42"},
        {"select 5 4; press 1; press 2", "item 5 has no entry 4 (it has 4)"},
        {"select 5 -1; press 1; press 2", "item 5 has no entry -1 (it has 4)"},
        {"select 5 2; press 1; press 2", "entry 2 of item 5 is disabled"},
        {"select 13 0; press 1; press 2", "item 13 is an edit text, not a popup"},
        {"type 5 x; press 1; press 2", "item 5 is a popup, not a text field"},
        {"press 4; press 1; press 2", "item 4 is a text, which cannot be pressed"},
    };
    for (const Case& c : cases) {
        const DrawingDialogMessage m = Run(kDrawingSettingsDialog, c.script);
        EXPECT_EQ(m.result, standin::kNoDialogResult) << c.script;
        EXPECT_NE(LastNote().find(c.note), std::string::npos) << LastNote();
        EXPECT_EQ(standin::FailedUserSteps(), 1u) << c.script;
        EXPECT_EQ(standin::LeftoverUserSteps(), 2u) << c.script;
        EXPECT_EQ(standin::RemainingUserSteps(), 0u);
    }
}

TEST_F(UserStepsTest, StepsLeftWhenTheDialogClosesCountAsLeftOver) {
    EXPECT_EQ(Run(kDrawingSettingsDialog, "press 1; select 5 0; press 2").result, 1);
    EXPECT_EQ(standin::FailedUserSteps(), 0u);
    EXPECT_EQ(standin::LeftoverUserSteps(), 2u);
    // A new script starts the counts afresh.
    standin::SetUserScript({});
    EXPECT_EQ(standin::LeftoverUserSteps(), 0u);
}

}  // namespace
