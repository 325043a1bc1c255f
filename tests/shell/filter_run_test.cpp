// The filter's "AI Go" and the action's "Do Action" through the stand-in
// host: the host calls in their order, what is recorded, beeps and the error
// dialog for each failure.
#include "shell/filter_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "platform/beep_monitor.h"
#include "shell/action_registration.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"
#include "tests/support/standin_plugin_test.h"

namespace {

using standin::HostCall;

class FilterRunTest : public StandinPluginTest {
  protected:
    void SetUp() override {
        StandinPluginTest::SetUp();
        if (HasFatalFailure()) return;
        standin::OpenDocument("Filter run");
        ResetBeepCount();
        Watch();
    }

    // Starts the call log and the counts of the host's calls afresh.
    static void Watch() {
        standin::FailHostCall(0, kSPNoError);
        standin::LogHostCalls(true);
        standin::ClearTranscript();
    }

    static ASErr Go() { return standin::SendFilterGo(standin::Filters().at(0)); }
    // "AI Go" sent as it is, where the host would not send it (no document).
    ASErr SendGo() {
        AIFilterMessage filter = {{}, standin::FilterHandle(standin::Filters().at(0)), nullptr};
        return Send("AI Filter", "AI Go", &filter.d);
    }

    // The action manager's calls logged since Watch().
    static std::vector<std::string> ActionCalls() {
        return standin::LoggedHostCallNames(HostCall::kActionManager);
    }
    static unsigned ArtCalls() { return standin::HostCallCount(HostCall::kArt); }

    // The code text of the only error dialog shown, or "" when none was.
    static std::string ShownCode() { return ShownItem(3); }
    // The text of item `id` of the only error dialog shown, or "".
    static std::string ShownItem(int32_t id) {
        const standin::TranscriptEntry* shown = nullptr;
        for (const standin::TranscriptEntry& e : standin::Transcript()) {
            if (e.kind != standin::TranscriptEntry::Kind::kDialogShown) continue;
            if (shown != nullptr || e.dialogId != 16051) return "";
            shown = &e;
        }
        if (shown == nullptr) return "";
        for (const auto& item : shown->items)
            if (item.id == id) return item.text;
        return "";
    }

    static PluginGlobals& Globals() { return *gPluginState.globals; }
};

TEST_F(FilterRunTest, ARecordingPaletteGetsTheSevenValuesInTheirOrder) {
    standin::SetActionRecording(true);
    const size_t objects = standin::LiveActionParamObjects();
    ASSERT_EQ(Go(), kSPNoError);
    EXPECT_GT(ArtCalls(), 0u);
    const std::vector<std::string> expected = {
        "InRecordMode", "NewActionParamValue", "SetReal",   "SetReal",
        "SetInteger",   "SetInteger",          "SetInteger", "SetReal",
        "SetString",    "RecordActionEvent"};
    EXPECT_EQ(ActionCalls(), expected);
    ASSERT_EQ(standin::RecordedActions().size(), 1u);
    const standin::RecordedAction& action = standin::RecordedActions()[0];
    EXPECT_EQ(action.eventName, kQRActionEventName);
    std::string keys;
    for (const auto& [key, value] : action.values)
        keys += {static_cast<char>(key >> 24), static_cast<char>(key >> 16),
                 static_cast<char>(key >> 8), static_cast<char>(key), ' '};
    EXPECT_EQ(keys, "plcx plcy eclv vers enmd size data ");
    EXPECT_EQ(standin::LiveActionParamObjects(), objects);  // the value disposed of
    EXPECT_EQ(BeepCount(), 0u);
    EXPECT_FALSE(AnythingShownInTranscript());

    // Not recording: nothing is asked of the action manager but that.
    standin::SetActionRecording(false);
    Watch();
    ASSERT_EQ(Go(), kSPNoError);
    EXPECT_EQ(ActionCalls(), std::vector<std::string>{"InRecordMode"});
}

TEST_F(FilterRunTest, FailuresAreShownAndNothingIsRecorded) {
    standin::SetActionRecording(true);
    // An empty text: -1 at once, with the fallback message; no beep.
    Globals().text[0] = '\0';
    EXPECT_EQ(Go(), kFilterHostFailure);
    // Inside the plug-in the empty text keeps a code of its own, apart from
    // the engine's "does not fit", which is -1 already.
    EXPECT_EQ(GenerateFromSettings(), kFilterEmptyText);
    EXPECT_NE(kFilterEmptyText, kFilterHostFailure);
    EXPECT_EQ(ShownCode(), "-1");
    EXPECT_EQ(ShownItem(2), "The filter cannot complete because of an unknown error.");
    EXPECT_EQ(ArtCalls(), 0u);
    EXPECT_EQ(BeepCount(), 0u);

    // No view to place into: the host's error; no beep.
    std::strcpy(Globals().text, "NO VIEW");
    standin::CloseAllDocuments();
    Watch();
    EXPECT_EQ(SendGo(), kStandinNoDocumentError);
    EXPECT_EQ(ShownCode(), "NDoc");
    EXPECT_EQ(ArtCalls(), 0u);
    EXPECT_EQ(BeepCount(), 0u);

    // A text that does not fit the version: a beep, then its code.
    standin::OpenDocument("Filter run");
    Watch();
    Globals().version = 1;
    Globals().level = 3;
    std::strcpy(Globals().text, "A TEXT OF MORE THAN SEVEN BYTES AT LEVEL H");
    EXPECT_EQ(Go(), -1);
    EXPECT_EQ(ShownCode(), "-1");
    EXPECT_EQ(HeardInTranscript(), (std::vector<std::string>{"beep", "dialog -1"}));
    EXPECT_EQ(ArtCalls(), 0u);
    EXPECT_EQ(ActionCalls(), std::vector<std::string>{});
    EXPECT_TRUE(standin::RecordedActions().empty());
}

TEST_F(FilterRunTest, PlaybackReadsEveryValueInOrderAndDrawsNothingWithoutThem) {
    standin::RecordedAction empty;
    empty.eventName = kQRActionEventName;
    EXPECT_EQ(standin::PlayAction(empty, kDialogNone), kQRActionBadParameters);
    const std::vector<std::string> expected = {"PlayAction", "GetReal",    "GetReal",
                                               "GetInteger", "GetInteger", "GetInteger",
                                               "GetReal",    "GetString"};
    EXPECT_EQ(ActionCalls(), expected);
    EXPECT_EQ(ArtCalls(), 0u);
    EXPECT_EQ(ShownCode(), "!Prm");
    EXPECT_EQ(BeepCount(), 0u);

    // Another event's user data: nothing read, nothing shown.
    Watch();
    AIActionDoActionMessage action = {};
    action.userData = reinterpret_cast<ActionUserData>(1002);
    action.dialogStatus = kASFalse;
    EXPECT_EQ(Send("Action Manager", "Do Action", &action.d), kSPNoError);
    EXPECT_EQ(ActionCalls(), std::vector<std::string>{});
    EXPECT_FALSE(AnythingShownInTranscript());
}

}  // namespace
