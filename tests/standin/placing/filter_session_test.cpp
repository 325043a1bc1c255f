// The Orvelk module in a stand-in session: the filter placing its symbol
// and recording the action, the action played back, and what the user sees
// and hears when either fails.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "standin/actions/action_set.h"
#include "standin/cli/orvelk_action.h"
#include "standin/export/art_dump.h"
#include "standin/export/export_document.h"
#include "standin/host/pipl.h"
#include "standin/host/plugins.h"
#include "tests/standin/placing/placed_symbol.h"
#include "tests/support/test_temp_dir.h"

namespace {

using standin::RecordedAction;

class FilterSessionTest : public OrvelkSessionTest {
  protected:
    // Sets the text and the settings the dialog would leave in the globals.
    void Settings(const std::string& text, int level, int mode, int version, int size = 3) {
        PluginGlobals& g = Globals();
        ASSERT_LE(text.size(), sizeof g.text - 1);
        std::memcpy(g.text, text.c_str(), text.size() + 1);
        g.level = level;
        g.mode = mode;
        g.version = version;
        g.moduleSize = size;
    }

    // The value of `key` in `action`.
    static const standin::ActionValue& Value(const RecordedAction& action, const char (&key)[5]) {
        for (const auto& [k, v] : action.values)
            if (k == MakeFourCharCode(key)) return v;
        static const standin::ActionValue none;
        return none;
    }

    // The first group of the current document, or null.
    const standin::Art* Group() const {
        const standin::Document* d = standin::CurrentDocument();
        return d != nullptr && !d->art.children.empty() ? d->art.children.back().get() : nullptr;
    }
};

TEST_F(FilterSessionTest, TheFilterPlacesAtTheViewsCentreAndRecordsTheSevenValues) {
    document_->viewCenter = {300, 400};
    Settings("HELLO WORLD", 1, 1, 1);
    standin::SetActionRecording(true);
    ASSERT_EQ(RunFilter(), kSPNoError);

    // The worked example: the quiet zone and the top-left module.
    const std::string dump = standin::DumpArtTree(*document_);
    EXPECT_NE(dump.find("1.1 path closed fill 0 gray 1 stroke 0 gray 1 width 0.100000001 miter 4 "
                        "segments 4: 279.448944 420.551056 "),
              std::string::npos)
        << dump.substr(0, 400);
    EXPECT_NE(dump.find("\n1.2 path closed fill 1 gray 1 stroke 0 gray 1 width 0.100000001 "
                        "miter 4 segments 4: 285.118195 414.881805 "),
              std::string::npos);
    ASSERT_NE(Group(), nullptr);
    EXPECT_EQ(MatrixOfGroup(*Group()), EngineMatrix("HELLO WORLD", 'M', 'A', 1));

    ASSERT_EQ(standin::RecordedActions().size(), 1u);
    const RecordedAction& recorded = standin::RecordedActions()[0];
    EXPECT_EQ(recorded.eventName, "Orvelk_QRCode");
    EXPECT_EQ(recorded.dialogStatus, kDialogOff);
    std::vector<std::string> keys;
    for (const auto& [key, value] : recorded.values) keys.push_back(standin::FourCharText(key));
    EXPECT_EQ(keys,
              (std::vector<std::string>{"plcx", "plcy", "eclv", "vers", "enmd", "size", "data"}));
    EXPECT_EQ(Value(recorded, "plcx").real, 300.0f);
    EXPECT_EQ(Value(recorded, "plcy").real, 400.0f);
    EXPECT_EQ(Value(recorded, "eclv").integer, 1);
    EXPECT_EQ(Value(recorded, "vers").integer, 1);
    EXPECT_EQ(Value(recorded, "enmd").integer, 1);
    // 0.50 mm, index 3, in points as a 32-bit float.
    EXPECT_EQ(Value(recorded, "size").type, kActionRealType);
    EXPECT_EQ(Value(recorded, "size").real, static_cast<float>(0.50 / 0.35278));
    EXPECT_EQ(Value(recorded, "data").string, "HELLO WORLD");
    EXPECT_TRUE(Heard().empty());
}

// "AI Go" draws with the module size as the double of its millimetres, each
// corner rounded to a 32-bit float as it is stored, later ones from the
// stored ones; a size rounded to a float first would move some by a step.
TEST_F(FilterSessionTest, TheFilterDrawsWithTheModuleSizeInDoublePrecision) {
    document_->viewCenter = {300, 400};
    Settings("0123456789012345", 0, 0, 0, 10);
    ASSERT_EQ(RunFilter(), kSPNoError);
    const standin::Art* group = Group();
    ASSERT_NE(group, nullptr);
    const double m = ModuleSizePoints(10);
    const std::string matrix = EngineMatrix("0123456789012345", 'L', 'N', 0);
    const int n = static_cast<int>(matrix.find('\n'));
    const double w = (n + 8) * m;
    const float top = static_cast<float>(400 + w / 2);
    const float left = static_cast<float>(300 - w / 2);
    std::vector<std::array<float, 4>> expected = {
        {left, top, static_cast<float>(left + w), static_cast<float>(top - w)}};
    const double f = static_cast<float>(m);
    int moved = 0;  // corners a size rounded to a float would have placed elsewhere
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            if (matrix[static_cast<size_t>(r * (n + 1) + c)] != '1') continue;
            const float t = static_cast<float>(top - 4 * m - r * m);
            const float l = static_cast<float>(left + 4 * m + c * m);
            expected.push_back({l, t, static_cast<float>(l + m), static_cast<float>(t - m)});
            moved += l != static_cast<float>(left + 4 * f + c * f) ? 1 : 0;
        }
    ASSERT_EQ(group->children.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& s = group->children[i]->segments;
        ASSERT_EQ(s.size(), 4u);
        EXPECT_EQ(s[0].p.h, expected[i][0]) << i;
        EXPECT_EQ(s[0].p.v, expected[i][1]) << i;
        EXPECT_EQ(s[2].p.h, expected[i][2]) << i;
        EXPECT_EQ(s[2].p.v, expected[i][3]) << i;
    }
    EXPECT_GT(moved, 0);  // the case tells the two apart
}

TEST_F(FilterSessionTest, AFailedPlacementIsHeardShownAndNotRecorded) {
    standin::SetActionRecording(true);
    // An empty text: the fallback message with -1, no beep.
    Settings("", 1, 2, 0);
    EXPECT_EQ(RunFilter(), -1);
    EXPECT_EQ(Heard(), std::vector<std::string>{"dialog -1"});
    bool fallback = false;
    for (const auto& e : standin::Transcript())
        for (const auto& item : e.items)
            fallback =
                fallback || item.text == "The filter cannot complete because of an unknown error.";
    EXPECT_TRUE(fallback);

    // A text that does not fit version 1: the beep, then the code.
    standin::ClearTranscript();
    Settings("MORE THAN SEVEN BYTES OF TEXT AT LEVEL H", 3, 2, 1);
    EXPECT_EQ(RunFilter(), -1);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"beep", "dialog -1"}));

    // No document: the host's error, nothing else.
    standin::CloseAllDocuments();
    standin::ClearTranscript();
    Settings("NO DOCUMENT", 1, 2, 0);
    AIFilterMessage go{};
    EXPECT_EQ(standin::SendPluginMessage(plugin_, "AI Filter", "AI Go", &go.d),
              MakeFourCharError("NDoc"));
    EXPECT_EQ(Heard(), std::vector<std::string>{"dialog NDoc"});
    EXPECT_TRUE(standin::RecordedActions().empty());
    EXPECT_EQ(standin::LiveArtCount(), 0u);

    // A text that the mode's filter empties is no failure: nothing drawn, recorded.
    document_ = standin::OpenDocument("Untitled-2");
    standin::ClearTranscript();
    Settings("ABC", 1, 0, 0);
    EXPECT_EQ(RunFilter(), kSPNoError);
    EXPECT_TRUE(document_->art.children.empty());
    EXPECT_TRUE(Heard().empty());
    ASSERT_EQ(standin::RecordedActions().size(), 1u);
    EXPECT_EQ(Value(standin::RecordedActions()[0], "data").string, "ABC");
}

TEST_F(FilterSessionTest, PlaybackPlacesAtTheRecordedPointWithTheMaskOfTheGlobals) {
    document_->viewCenter = {100, 200};
    Settings("PLAYBACK", 2, 1, 2);
    standin::SetActionRecording(true);
    ASSERT_EQ(RunFilter(), kSPNoError);
    standin::SetActionRecording(false);
    const RecordedAction action = standin::RecordedActions().at(0);

    // Another document whose view is elsewhere; the recorded point holds.
    document_ = standin::OpenDocument("Untitled-2");
    document_->viewCenter = {500, 700};
    for (int mask : {1, 4, 8}) {
        Globals().maskSetting = mask;
        standin::CloseDocument(document_);
        document_ = standin::OpenDocument("Untitled-2");
        ASSERT_EQ(Play(action), kSPNoError);
        ASSERT_NE(Group(), nullptr);
        const standin::Art& outer = *Group()->children.at(0);
        const double w = (25 + 8) * static_cast<double>(Value(action, "size").real);
        EXPECT_NEAR(outer.segments[0].p.h, 100 - w / 2, 1e-3);
        EXPECT_NEAR(outer.segments[0].p.v, 200 + w / 2, 1e-3);
        EXPECT_EQ(MatrixOfGroup(*Group()), EngineMatrix("PLAYBACK", 'Q', 'A', 2, mask)) << mask;
    }
    // Playback neither beeps nor changes the globals.
    EXPECT_STREQ(Globals().text, "PLAYBACK");
    EXPECT_TRUE(Heard().empty());
}

TEST_F(FilterSessionTest, LongRecordedTextsPlayBackWhole) {
    // 5000 digits fit a symbol; their first 4095 would make another one.
    const std::string digits(5000, '7');
    Settings(digits, 0, 0, 0);
    standin::SetActionRecording(true);
    ASSERT_EQ(RunFilter(), kSPNoError);
    const RecordedAction action = standin::RecordedActions().at(0);
    EXPECT_EQ(Value(action, "data").string.size(), 5000u);
    standin::CloseDocument(document_);
    document_ = standin::OpenDocument("Untitled-2");
    ASSERT_EQ(Play(action), kSPNoError);
    ASSERT_NE(Group(), nullptr);
    EXPECT_EQ(MatrixOfGroup(*Group()), EngineMatrix(digits, 'L', 'N', 0));

    // The longest text the plug-in holds is played whole: 8192 digits fit no
    // symbol. One byte more is no text the plug-in could have recorded.
    OrvelkPlacement placement{300, 400, 0, 0, 0, 1.4f, std::string(8192, '1')};
    EXPECT_EQ(Play(OrvelkAction(placement, 0)), -1);
    placement.text += '1';
    EXPECT_EQ(Play(OrvelkAction(placement, 0)), kQRActionBadParameters);
    EXPECT_EQ(CountArt(document_->art), CountArt(*Group()) + 1);
}

TEST_F(FilterSessionTest, ValuesThatCannotBePlayedDrawNothingAndShowTheirCode) {
    const OrvelkPlacement good{300, 400, 1, 0, 2, 1.4173139f, "GOOD"};
    ASSERT_EQ(Play(OrvelkAction(good, 0)), kSPNoError);
    const size_t art = standin::LiveArtCount();

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<std::pair<std::string, RecordedAction>> cases;
    auto with = [&](const std::string& what, OrvelkPlacement p) {
        cases.emplace_back(what, OrvelkAction(p, 0));
    };
    OrvelkPlacement p = good;
    p.level = 4, with("level 4", p), p = good;
    p.level = -1, with("level -1", p), p = good;
    p.mode = 5, with("mode 5", p), p = good;
    p.mode = -1, with("mode -1", p), p = good;
    p.version = 41, with("version 41", p), p = good;
    p.version = -1, with("version -1", p), p = good;
    p.moduleSize = 0, with("size 0", p), p = good;
    p.moduleSize = -1, with("size -1", p), p = good;
    p.moduleSize = nan, with("size NaN", p), p = good;
    p.x = inf, with("x infinite", p), p = good;
    p.y = nan, with("y NaN", p), p = good;
    RecordedAction missing = OrvelkAction(good, 0);
    missing.values.pop_back();
    cases.emplace_back("no text", missing);
    RecordedAction mistyped = OrvelkAction(good, 0);
    mistyped.values[2].second.type = kActionRealType;  // "eclv" as a real
    cases.emplace_back("level as a real", mistyped);
    cases.emplace_back("no values", RecordedAction{"Orvelk_QRCode", kDialogOff, {}, 0});

    for (const auto& [what, action] : cases) {
        standin::ClearTranscript();
        EXPECT_EQ(Play(action), kQRActionBadParameters) << what;
        EXPECT_EQ(Heard(), std::vector<std::string>{"dialog !Prm"}) << what;
        EXPECT_EQ(standin::LiveArtCount(), art) << what;
    }
}

TEST_F(FilterSessionTest, RecordedActionsSavedLoadedAndReplayedExportTheSameBytes) {
    standin::SetActionRecording(true);
    document_->viewCenter = {200, 300};
    Settings("*SAMPLE TEXT*", 1, 2, 0);
    ASSERT_EQ(RunFilter(), kSPNoError);
    document_->viewCenter = {400, 600};
    // ＱＲコード, as the dialog holds it: code page 932.
    const std::string cp932 = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68";
    Settings(cp932, 2, 4, 3, 5);
    ASSERT_EQ(RunFilter(), kSPNoError);
    standin::SetActionRecording(false);
    ASSERT_EQ(standin::RecordedActions().size(), 2u);

    const std::string folder = TestTempDir() + "record_replay/";
    std::filesystem::create_directories(folder);
    std::string error;
    ASSERT_TRUE(standin::SaveActionSet(standin::RecordedActions(), folder + "set.json", &error))
        << error;
    std::vector<RecordedAction> loaded;
    ASSERT_TRUE(standin::LoadActionSet(folder + "set.json", &loaded, &error)) << error;

    standin::Document* replayed = standin::OpenDocument("Untitled-1");
    for (const RecordedAction& action : loaded) ASSERT_EQ(Play(action), kSPNoError);
    // Every format this build exports: SVG alone without cairo.
    const std::vector<const char*> formats = ORVELK_TEST_IMAGE_LIBS
        ? std::vector<const char*>{"a.svg", "a.pdf", "a.eps", "a.png"}
        : std::vector<const char*>{"a.svg"};
    for (const char* format : formats) {
        std::string a, b;
        const auto f = standin::FormatOfPath(format);
        ASSERT_TRUE(standin::RenderDocument(*document_, f, {}, &a, &error)) << error;
        ASSERT_TRUE(standin::RenderDocument(*replayed, f, {}, &b, &error)) << error;
        EXPECT_EQ(a, b) << format;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
