// The filter's "AI Go" and the action's "Do Action" through the fake host:
// the host calls in their order, what is recorded, beeps and the error
// dialog for each failure.
#include "shell/filter_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "platform/beep_monitor.h"
#include "tests/support/fake_host.h"

namespace {

class FilterRunTest : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        InstallTableFile();
        ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
        host_.modals.clear();
        ResetBeepCount();
    }
    void TearDown() override {
        Send("SP Interface", "Shutdown");
        PluginTest::TearDown();
    }

    ASErr Go() {
        AIFilterMessage filter = {FakeMessage(), kFakeFilter, nullptr};
        return Send("AI Filter", "AI Go", &filter);
    }

    // The code text of the only error dialog shown, or "" when none was.
    std::string ShownCode() {
        if (host_.modals.size() != 1 || host_.modals[0].dialogID != 16051) return "";
        return host_.modals[0].itemTexts[3];
    }

    PluginGlobals& Globals() { return *gPluginState.globals; }
};

TEST_F(FilterRunTest, ARecordingPaletteGetsTheSevenValuesInTheirOrder) {
    host_.recording = true;
    ASSERT_EQ(Go(), kSPNoError);
    EXPECT_GT(host_.artCalls, 0);
    const std::vector<std::string> expected = {
        "NewActionParamValue",   "SetReal plcx",    "SetReal plcy",
        "SetInteger eclv",       "SetInteger vers", "SetInteger enmd",
        "SetReal size",          "SetString data",  "RecordActionEvent Orvelk_QRCode 3",
        "DeleteActionParamValue"};
    EXPECT_EQ(host_.actionCalls, expected);
    EXPECT_EQ(BeepCount(), 0u);
    EXPECT_TRUE(host_.modals.empty());

    // Not recording: nothing is asked of the action manager but that.
    host_.recording = false;
    host_.actionCalls.clear();
    ASSERT_EQ(Go(), kSPNoError);
    EXPECT_TRUE(host_.actionCalls.empty());
}

TEST_F(FilterRunTest, FailuresAreShownAndNothingIsRecorded) {
    host_.recording = true;
    // An empty text: -1 at once, with the fallback message; no beep.
    Globals().text[0] = '\0';
    EXPECT_EQ(Go(), kFilterHostFailure);
    // Inside the plug-in the empty text keeps a code of its own, apart from
    // the engine's "does not fit", which is -1 already.
    EXPECT_EQ(GenerateFromSettings(), kFilterEmptyText);
    EXPECT_NE(kFilterEmptyText, kFilterHostFailure);
    EXPECT_EQ(ShownCode(), "-1");
    EXPECT_EQ(host_.modals[0].itemTexts[2],
              "The filter cannot complete because of an unknown error.");
    EXPECT_EQ(host_.artCalls, 0);
    EXPECT_EQ(BeepCount(), 0u);

    // No view to place into: the host's error; no beep.
    std::strcpy(Globals().text, "NO VIEW");
    host_.modals.clear();
    host_.viewCenterError = MakeFourCharError("NDoc");
    EXPECT_EQ(Go(), MakeFourCharError("NDoc"));
    EXPECT_EQ(ShownCode(), "NDoc");
    EXPECT_EQ(host_.artCalls, 0);
    EXPECT_EQ(BeepCount(), 0u);

    // A text that does not fit the version: a beep, then its code.
    host_.viewCenterError = kSPNoError;
    host_.modals.clear();
    Globals().version = 1;
    Globals().level = 3;
    std::strcpy(Globals().text, "A TEXT OF MORE THAN SEVEN BYTES AT LEVEL H");
    bool beepedBeforeTheDialog = false;
    host_.duringModal = [&] { beepedBeforeTheDialog = BeepCount() == 1; };
    EXPECT_EQ(Go(), -1);
    EXPECT_EQ(ShownCode(), "-1");
    EXPECT_TRUE(beepedBeforeTheDialog);
    EXPECT_EQ(host_.artCalls, 0);
    EXPECT_TRUE(host_.actionCalls.empty());
}

TEST_F(FilterRunTest, PlaybackReadsEveryValueInOrderAndDrawsNothingWithoutThem) {
    AIActionDoActionMessage action =
        FakeDoAction(reinterpret_cast<AIActionParamValueRef>(0x7A), 1001);
    EXPECT_EQ(Send("Action Manager", "Do Action", &action), kQRActionBadParameters);
    const std::vector<std::string> expected = {
        "GetReal plcx",    "GetReal plcy", "GetInteger eclv", "GetInteger vers",
        "GetInteger enmd", "GetReal size", "GetString data"};
    EXPECT_EQ(host_.actionCalls, expected);
    EXPECT_EQ(host_.artCalls, 0);
    EXPECT_EQ(ShownCode(), "!Prm");
    EXPECT_EQ(BeepCount(), 0u);

    // Another event's user data: nothing read, nothing shown.
    host_.actionCalls.clear();
    host_.modals.clear();
    action.userData = reinterpret_cast<ActionUserData>(1002);
    EXPECT_EQ(Send("Action Manager", "Do Action", &action), kSPNoError);
    EXPECT_TRUE(host_.actionCalls.empty());
    EXPECT_TRUE(host_.modals.empty());
}

}  // namespace
