// The filter run and the action's playback with a failure at every art call
// and at every file call they make, one run per failure point, until a run
// in which no failure point is reached: each run ends with a code (shown to
// the user, for the filter run), and the document holds a whole symbol or no
// new art, every object linked to its parent and its document.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/file_faults.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/document/documents.h"
#include "standin/host/host_transcript.h"
#include "tests/standin/placing/placed_symbol.h"

namespace {

class FaultSweepTest : public OrvelkSessionTest {
  protected:
    void TearDown() override {
        standin::FailHostCall(0, kSPNoError);
        FailFileCall(0, ERROR_SUCCESS);
        OrvelkSessionTest::TearDown();
    }

    // Runs `step` in a fresh document once per failure point of `arm` (which
    // sets failure point k and says afterwards whether it was reached), and
    // checks each run. Returns the number of failure points.
    int Sweep(const std::function<void(unsigned)>& arm, const std::function<bool()>& reached,
              const std::function<ASErr()>& step, bool shown) {
        int points = 0;
        for (unsigned k = 1; k < 100000; ++k) {
            standin::CloseAllDocuments();
            document_ = standin::OpenDocument("Sweep");
            standin::ClearTranscript();
            arm(k);
            const ASErr rc = step();
            const bool hit = reached();
            arm(0);
            const size_t top = document_->art.children.size();
            EXPECT_TRUE(Linked(document_->art, document_)) << "failure point " << k;
            EXPECT_EQ(standin::LiveArtCount(), standin::CountArt(document_->art));
            if (rc == kSPNoError) {
                EXPECT_EQ(top, 1u) << "failure point " << k;
            } else {
                EXPECT_EQ(top, 0u) << "a failed run left art, failure point " << k;
                if (shown) {
                    EXPECT_FALSE(Heard().empty()) << "an unshown failure, point " << k;
                }
            }
            if (!hit) {
                EXPECT_EQ(rc, kSPNoError);
                break;
            }
            ++points;
        }
        return points;
    }

    void Settings() {
        PluginGlobals& g = Globals();
        std::strcpy(g.text, "FAULT SWEEP 0123");
        g.level = 1;
        g.mode = 2;
        g.version = 2;
    }

    // Runs `step` in a fresh document with the k-th art call failing, for k
    // from 1 until a run makes fewer than k art calls; checks each run.
    // Returns the number of failure points.
    int SweepArt(const std::function<ASErr()>& step, bool shown) {
        int points = 0;
        for (unsigned k = 1;; ++k) {
            standin::CloseAllDocuments();
            document_ = standin::OpenDocument("Sweep");
            standin::ClearTranscript();
            standin::FailHostCall(k, kPluginOutOfMemoryError, standin::HostCall::kArt);
            const ASErr rc = step();
            const unsigned calls = standin::HostCallCount(standin::HostCall::kArt);
            standin::FailHostCall(0, kSPNoError);
            EXPECT_TRUE(Linked(document_->art, document_)) << k;
            EXPECT_EQ(standin::LiveArtCount(), standin::CountArt(document_->art)) << k;
            EXPECT_LE(document_->art.children.size(), 1u) << k;
            if (rc != kSPNoError && shown) {
                EXPECT_FALSE(Heard().empty()) << "an unshown failure, point " << k;
            }
            if (calls < k) {
                EXPECT_EQ(rc, kSPNoError);
                return points;
            }
            ++points;
        }
    }
    int SweepFiles(const std::function<ASErr()>& step, bool shown) {
        return Sweep([](unsigned k) { FailFileCall(k, ERROR_ACCESS_DENIED); }, FileCallFailed, step,
                     shown);
    }
};

TEST_F(FaultSweepTest, TheFilterRunEndsCleanlyAtEveryFailurePoint) {
    Settings();
    standin::SetActionRecording(true);
    const auto run = [this] { return RunFilter(); };
    // The art calls are counted, so the sweep stops past the last one.
    const int artPoints = SweepArt(run, true);
    const int filePoints = SweepFiles(run, true);
    std::printf("filter run: %d art failure points, %d file failure points\n", artPoints,
                filePoints);
    EXPECT_GT(artPoints, 100);
    EXPECT_GE(filePoints, 3);
}

TEST_F(FaultSweepTest, PlaybackEndsCleanlyAtEveryFailurePoint) {
    Settings();
    standin::SetActionRecording(true);
    ASSERT_EQ(RunFilter(), kSPNoError);
    standin::SetActionRecording(false);
    const standin::RecordedAction action = standin::RecordedActions().at(0);
    const auto play = [this, &action] { return Play(action); };
    const int artPoints = SweepArt(play, false);
    const int filePoints = SweepFiles(play, false);
    std::printf("playback: %d art failure points, %d file failure points\n", artPoints, filePoints);
    EXPECT_GT(artPoints, 100);
    EXPECT_GE(filePoints, 1);
}

}  // namespace
