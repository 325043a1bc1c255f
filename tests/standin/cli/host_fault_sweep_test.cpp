// The filter run through the real settings dialog, the action's playback and
// the preferences save with one host call failing, once per failure point of
// each kind of call (host_hooks.h), until a run in which no failure point is
// reached. Every run ends with 0 and a whole symbol, or with a code that is
// the host's own error or shown to the user and no new art; the blocks, GDI
// objects, parameter values and suites the plug-in took are given back; the
// popups never show another setting's entry; the preferences file is the old
// one or a whole new one; and a recorded action holds all seven values.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "platform/gdi_monitor.h"
#include "standin/cli/place_dialog.h"
#include "standin/dialogs/user_script.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/suite_registry.h"
#include "tests/standin/cli/app_folder_copy.h"
#include "tests/standin/cli/app_folder_session.h"
#include "tests/standin/placing/placed_symbol.h"

namespace {

using standin::HostCall;

constexpr ASErr kInjected = kPluginOutOfMemoryError;
const std::vector<int32_t> kPopups = {kLevelPopupItem, kVersionPopupItem, kModePopupItem,
                                      kCellSizePopupItem, kMaskPopupItem};

// What the plug-in holds of the host between two messages.
auto Held() {
    const GdiCounts g = GdiLiveCounts();
    return std::make_tuple(OutstandingHostBlocks(), StandinSuitesInUse(),
                           standin::LiveActionParamObjects(), g.memoryDCs, g.surfaceDCs, g.bitmaps,
                           g.brushes);
}

// The kinds swept, with the names the tests print.
struct Kind {
    HostCall call;
    const char* name;
};
constexpr Kind kKinds[] = {
    {HostCall::kAcquireSuite, "AcquireSuite"},
    {HostCall::kAllocateBlock, "AllocateBlock"},
    {HostCall::kADMItem, "ADMItem"},
    {HostCall::kADMList, "ADMListAndEntry"},
    {HostCall::kActionManager, "ActionManager"},
};

// Whether `file` is a whole preferences file holding `text` (an empty text
// writes no text line).
bool WholeFileOf(const std::string& file, const std::string& text) {
    const std::string tail =
        text.empty() ? "qr_cellsize = " : "barcode_text00 = \"" + text + "\"\r\n";
    const size_t at = file.rfind(tail);
    return file.rfind("qr_ecclevel = ", 0) == 0 && at != std::string::npos &&
           (text.empty() ? file.find('\n', at) == file.size() - 1
                         : at + tail.size() == file.size());
}

class HostFaultSweepTest : public AppFolderSessionTest, public testing::WithParamInterface<Kind> {
  protected:
    HostFaultSweepTest() : AppFolderSessionTest("host_fault_sweep") {}
    void SetUp() override {
        AppFolderSessionTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        // The old file, then the new one and the popups' entries of a clean run.
        ASSERT_EQ(Dialog("OLD TEXT"), kSPNoError);
        old_ = PreferencesBytes(app_);
        static_assert(std::is_trivially_copyable_v<PluginGlobals>);
        std::memcpy(&oldGlobals_, &Globals(), sizeof oldGlobals_);
        standin::ClearTranscript();
        standin::SetActionRecording(true);
        ASSERT_EQ(Dialog("NEW TEXT"), kSPNoError);
        ASSERT_EQ(standin::SendFilterGo(standin::Filters().at(0)), kSPNoError);
        fresh_ = PreferencesBytes(app_);
        labels_ = ShownItemTexts(kSettingsDialogID, kPopups);
        ASSERT_EQ(standin::RecordedActions().size(), 1u);
        action_ = standin::RecordedActions()[0];
        ASSERT_NE(old_, fresh_);
    }
    void TearDown() override {
        standin::FailHostCall(0, kSPNoError);
        AppFolderSessionTest::TearDown();
    }

    // "AI Get Parameters" with the user typing `text` and pressing OK.
    ASErr Dialog(const std::string& text) {
        standin::SetUserScript({TypeTextStep(text), PressStep(kOkItem)});
        return standin::SendFilterGetParameters(standin::Filters().at(0));
    }

    // Whether the user was told of a failure: an error dialog or an alert.
    bool Shown() const {
        if (!Heard().empty()) return true;
        for (const standin::TranscriptEntry& e : standin::Transcript())
            if (e.kind == standin::TranscriptEntry::Kind::kAlert) return true;
        return false;
    }

    // Runs `scenario` from the old state once per failure point of the
    // parameter's kind and checks each run. `art`: whether a successful run
    // places a symbol. Returns the number of failure points.
    int Sweep(const std::function<ASErr()>& scenario, bool art) {
        int points = 0;
        for (unsigned k = 1; k < 100000; ++k) {
            standin::CloseAllDocuments();
            document_ = standin::OpenDocument("Sweep");
            standin::ClearTranscript();
            std::memcpy(&Globals(), &oldGlobals_, sizeof oldGlobals_);
            if (FILE* f = std::fopen(PreferencesPath(app_).c_str(), "wb")) {
                std::fwrite(old_.data(), 1, old_.size(), f);
                std::fclose(f);
            }
            const size_t recorded = standin::RecordedActions().size();
            const auto held = Held();

            standin::FailHostCall(k, kInjected, GetParam().call);
            const ASErr rc = scenario();
            const bool hit = standin::HostCallFailed();
            standin::FailHostCall(0, kSPNoError);

            SCOPED_TRACE("failure point " + std::to_string(k));
            EXPECT_EQ(Held(), held) << "something the plug-in took is still out";
            EXPECT_TRUE(Linked(document_->art, document_));
            EXPECT_EQ(standin::LiveArtCount(), standin::CountArt(document_->art));
            const auto& top = document_->art.children;
            if (rc == kSPNoError && art) {
                EXPECT_TRUE(top.size() == 1 && MatrixOfGroup(*top[0]) != "") << "no whole symbol";
            } else {
                EXPECT_TRUE(top.empty());
            }
            // "S!Fd": a suite the handler needs was not acquired (the shell
            // tells the host, not the user).
            EXPECT_TRUE(rc == kSPNoError || rc == kInjected || rc == kSPSuiteNotFoundError ||
                        Shown())
                << "a failure nobody hears of: " << rc;
            // An action is recorded only by a successful run, whole.
            const auto& actions = standin::RecordedActions();
            EXPECT_LE(actions.size(), recorded + (rc == kSPNoError ? 1 : 0));
            if (actions.size() > recorded) {
                EXPECT_EQ(actions.back().values.size(), 7u);
            }
            // The popups show their settings' entries or none.
            const std::vector<std::string> popups = ShownItemTexts(kSettingsDialogID, kPopups);
            for (size_t i = 0; i < popups.size() && i < labels_.size(); ++i) {
                if (!popups[i].empty()) {
                    EXPECT_EQ(popups[i], labels_[i]) << "popup " << kPopups[i];
                }
            }
            // The old file, the new one, or a whole file of what the dialog left.
            const std::string now = PreferencesBytes(app_);
            EXPECT_TRUE(now == old_ || now == fresh_ || WholeFileOf(now, Globals().text)) << now;

            if (!hit) {
                EXPECT_EQ(rc, kSPNoError);
                return points;
            }
            ++points;
        }
        ADD_FAILURE() << "the sweep never ended";
        return points;
    }

    ASErr FilterRun() {
        const ASErr rc = Dialog("NEW TEXT");
        return rc != kSPNoError ? rc : standin::SendFilterGo(standin::Filters().at(0));
    }

    std::string old_, fresh_;
    std::vector<std::string> labels_;
    PluginGlobals oldGlobals_{};
    standin::RecordedAction action_;
};

TEST_P(HostFaultSweepTest, TheFilterRunThroughTheDialogEndsCleanlyAtEveryFailurePoint) {
    const int points = Sweep([this] { return FilterRun(); }, true);
    std::printf("filter run, %s calls: %d failure points\n", GetParam().name, points);
    EXPECT_GT(points, 0);
}

TEST_P(HostFaultSweepTest, PlaybackEndsCleanlyAtEveryFailurePoint) {
    const int points = Sweep([this] { return Play(action_); }, true);
    std::printf("playback, %s calls: %d failure points\n", GetParam().name, points);
    // Playback shows no dialog and takes no block of the host.
    if (GetParam().call == HostCall::kAcquireSuite || GetParam().call == HostCall::kActionManager) {
        EXPECT_GT(points, 0);
    }
}

TEST_P(HostFaultSweepTest, ThePreferencesSaveKeepsTheOldFileOrWritesTheNewOneWhole) {
    const int points = Sweep([this] { return Dialog("NEW TEXT"); }, false);
    std::printf("preferences save, %s calls: %d failure points\n", GetParam().name, points);
    if (GetParam().call != HostCall::kActionManager) {
        EXPECT_GT(points, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostFaultSweepTest, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<Kind>& info) { return info.param.name; });

}  // namespace
