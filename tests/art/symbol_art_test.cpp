// DrawSymbolArt and AddRectPath: the host calls in their order, the stored
// floats of the quiet zone and the modules, the style of every path, and
// what is left when the engine or a host call fails (through recording
// suites, and through the stand-in's documents failing at every call).
#include "art/symbol_art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contract/error_codes.h"
#include "globals/plugin_state.h"
#include "qr/symbol_encoder.h"
#include "standin/app/engine_session.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/document/documents.h"

namespace {

constexpr double kHalfMillimetre = 0.50 / 0.35278;
constexpr ASErr kInjected = MakeFourCharError("FAIL");

// Art suites that record each call and can fail the k-th one.
struct Recorder {
    std::vector<std::string> calls;  // "NewArt 2 3 #1", "SetPathSegments #2 0 1", ...
    std::map<uintptr_t, std::vector<AIPathSegment>> segments;
    std::map<uintptr_t, AIPathStyle> styles;
    std::map<uintptr_t, bool> closed;
    unsigned failAt = 0;  // the call that fails, from 1; 0 none
    uintptr_t nextHandle = 1;

    ASErr Count() { return calls.size() == failAt ? kInjected : kSPNoError; }
};

Recorder* gRecorder = nullptr;

std::string Handle(AIArtHandle art) {
    char text[32];
    std::snprintf(text, sizeof text, art == nullptr ? "-" : "#%ju",
                  static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(art)));
    return text;
}

ASErr HOST_CALL RecordNewArt(AIArtType type, AIPaintOrder order, AIArtHandle reference,
                             AIArtHandle* art) {
    Recorder& r = *gRecorder;
    r.calls.push_back("NewArt " + std::to_string(type) + " " + std::to_string(order) + " " +
                      Handle(reference));
    *art = nullptr;
    if (const ASErr e = r.Count()) return e;
    *art = reinterpret_cast<AIArtHandle>(r.nextHandle++);
    return kSPNoError;
}

ASErr HOST_CALL RecordSetPathStyle(AIArtHandle path, const AIPathStyle* style) {
    Recorder& r = *gRecorder;
    r.calls.push_back("SetPathStyle " + Handle(path));
    if (const ASErr e = r.Count()) return e;
    r.styles[reinterpret_cast<uintptr_t>(path)] = *style;
    return kSPNoError;
}

ASErr HOST_CALL RecordSetPathClosed(AIArtHandle path, ASBoolean closed) {
    Recorder& r = *gRecorder;
    r.calls.push_back("SetPathClosed " + Handle(path) + " " + std::to_string(closed));
    if (const ASErr e = r.Count()) return e;
    r.closed[reinterpret_cast<uintptr_t>(path)] = closed != 0;
    return kSPNoError;
}

ASErr HOST_CALL RecordSetPathSegments(AIArtHandle path, short first, short count,
                                      const AIPathSegment* segments) {
    Recorder& r = *gRecorder;
    r.calls.push_back("SetPathSegments " + Handle(path) + " " + std::to_string(first) + " " +
                      std::to_string(count));
    if (const ASErr e = r.Count()) return e;
    r.segments[reinterpret_cast<uintptr_t>(path)].push_back(segments[0]);
    return kSPNoError;
}

constexpr AIArtSuite kRecordingArt = {.NewArt = RecordNewArt};
const AIPathSuite kRecordingPath = [] {
    AIPathSuite s = {};
    s.SetPathSegments = RecordSetPathSegments;
    s.SetPathClosed = RecordSetPathClosed;
    return s;
}();
const AIPathStyleSuite kRecordingStyle = [] {
    AIPathStyleSuite s = {};
    s.SetPathStyle = RecordSetPathStyle;
    return s;
}();

class SymbolArtTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(BeginEngineSession(ORVELK_TEST_APP_DIR, 0, &why)) << why;
        gRecorder = &recorder_;
        gPluginState.art = &kRecordingArt;
        gPluginState.path = &kRecordingPath;
        gPluginState.pathStyle = &kRecordingStyle;
    }
    void TearDown() override {
        EndEngineSession();
        gPluginState.art = nullptr;
        gPluginState.path = nullptr;
        gPluginState.pathStyle = nullptr;
        gRecorder = nullptr;
        standin::CloseAllDocuments();
        standin::FailHostCall(0, kSPNoError);
    }

    // The stand-in's documents behind the plug-in's suite pointers.
    void UseStandinDocuments() {
        gPluginState.art = standin::StandinArtSuite();
        gPluginState.path = standin::StandinPathSuite();
        gPluginState.pathStyle = standin::StandinPathStyleSuite();
    }

    Recorder recorder_;
};

std::unique_ptr<ModuleMatrix> Encode(const char* text, char level, char mode, int version) {
    auto m = std::make_unique<ModuleMatrix>();
    EXPECT_EQ(EncodeQRSymbol(text, level, mode, version, m.get()), kQROk);
    return m;
}

int DarkModules(const ModuleMatrix& m) {
    int dark = 0;
    for (int c = 0; c < m.side; ++c)
        for (int r = 0; r < m.side; ++r) dark += m.modules[c * kMaxSide + r] != 0;
    return dark;
}

// The corners of the rectangle (left, top, right, bottom) in the path's order.
std::vector<ASRealPoint> Corners(float left, float top, float right, float bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

void ExpectRectangle(const std::vector<AIPathSegment>& segments,
                     const std::vector<ASRealPoint>& corners) {
    ASSERT_EQ(segments.size(), corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        // Stored exactly: the float values, not merely close to them.
        EXPECT_EQ(segments[i].p.h, corners[i].h) << i;
        EXPECT_EQ(segments[i].p.v, corners[i].v) << i;
        EXPECT_EQ(std::memcmp(&segments[i].in, &segments[i].p, sizeof(ASRealPoint)), 0);
        EXPECT_EQ(std::memcmp(&segments[i].out, &segments[i].p, sizeof(ASRealPoint)), 0);
        EXPECT_TRUE(segments[i].corner);
    }
}

TEST_F(SymbolArtTest, TheWorkedExampleInItsCallsAndFloats) {
    const auto matrix = Encode("HELLO WORLD", 'M', 'A', 1);
    ASSERT_EQ(matrix->side, 21);
    const int dark = DarkModules(*matrix);
    ASSERT_EQ(DrawSymbolArt(300, 400, kHalfMillimetre, "HELLO WORLD", 'M', 'A', 1), kSPNoError);

    // One group above all art, then seven calls a path inside it.
    const std::vector<std::string>& calls = recorder_.calls;
    ASSERT_EQ(calls.size(), 1u + 7u * (1 + dark));
    EXPECT_EQ(calls[0], "NewArt 1 5 -");
    const std::vector<std::string> firstPath = {"NewArt 2 3 #1",          "SetPathStyle #2",
                                                "SetPathClosed #2 1",     "SetPathSegments #2 0 1",
                                                "SetPathSegments #2 1 1", "SetPathSegments #2 2 1",
                                                "SetPathSegments #2 3 1"};
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 1, calls.begin() + 8), firstPath);
    for (size_t i = 8; i < calls.size(); i += 7) EXPECT_EQ(calls[i], "NewArt 2 3 #1") << i;

    // The quiet-zone rectangle, then the top-left module of the finder pattern.
    ExpectRectangle(recorder_.segments[2], Corners(279.44894f, 420.55106f, 320.55106f, 379.44894f));
    ExpectRectangle(recorder_.segments[3], Corners(285.11819f, 414.88181f, 286.53552f, 413.46448f));

    // The paint of the table, and nothing else set.
    for (uintptr_t path = 2; path <= static_cast<uintptr_t>(dark) + 2; ++path) {
        AIPathStyle style = recorder_.styles[path];
        ASSERT_EQ(style.fillPaint, path == 2 ? kASFalse : kASTrue) << path;
        ASSERT_EQ(style.fill.color.kind, kGrayColor);
        ASSERT_EQ(style.fill.color.c.gray.gray, 1.0f);
        ASSERT_EQ(style.stroke.color.kind, kGrayColor);
        ASSERT_EQ(style.stroke.color.c.gray.gray, 1.0f);
        ASSERT_EQ(style.stroke.width, 0.1f);
        ASSERT_EQ(style.stroke.miterLimit, 4.0f);
        // The host's default resolution of a path rather than a zero.
        ASSERT_EQ(style.resolution, 800.0f);
        style.fillPaint = kASFalse;
        style.fill.color.c.gray.gray = style.stroke.color.c.gray.gray = 0;
        style.stroke.width = style.stroke.miterLimit = style.resolution = 0;
        const AIPathStyle zero{};
        ASSERT_EQ(std::memcmp(&style, &zero, sizeof zero), 0) << path;
        ASSERT_TRUE(recorder_.closed[path]) << path;
    }
}

TEST_F(SymbolArtTest, ModulesGoRowByRowEachFromItsStoredNeighbours) {
    const char* text = "01234567890123456789012345678901234567890123456789";
    const auto matrix = Encode(text, 'Q', 'N', 3);
    const double m = 0.33 / 0.35278;
    ASSERT_EQ(DrawSymbolArt(-12.5, 1000.25, m, text, 'Q', 'N', 3), kSPNoError);
    const int n = matrix->side;
    const std::vector<AIPathSegment>& outer = recorder_.segments[2];
    const float top = outer[0].p.v, left = outer[0].p.h;
    // The quiet zone is (n + 8) modules wide, centred on the point.
    const double w = (n + 8) * m;
    EXPECT_EQ(top, static_cast<float>(1000.25 + w / 2));
    EXPECT_EQ(outer[2].p.v, static_cast<float>(top - w));
    EXPECT_EQ(left, static_cast<float>(-12.5 - w / 2));
    EXPECT_EQ(outer[2].p.h, static_cast<float>(left + w));

    uintptr_t path = 3;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (!matrix->modules[c * kMaxSide + r]) continue;
            const float t = static_cast<float>(top - 4 * m - r * m);
            const float l = static_cast<float>(left + 4 * m + c * m);
            const float b = static_cast<float>(t - m), rt = static_cast<float>(l + m);
            ExpectRectangle(recorder_.segments[path++], Corners(l, t, rt, b));
            if (HasFailure()) return;
        }
    }
    EXPECT_EQ(path, recorder_.segments.size() + 2);
}

TEST_F(SymbolArtTest, NothingIsDrawnWhenTheEngineGivesNoSymbol) {
    // Numeric mode keeps no letter: no symbol, no art, no error.
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "ABC", 'M', 'N', 0), kSPNoError);
    EXPECT_TRUE(recorder_.calls.empty());
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "", 'M', 'B', 0), kSPNoError);
    // A text that does not fit version 1.
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "THIS TEXT IS FAR TOO LONG FOR VERSION ONE", 'H', 'A', 1),
              kQRDoesNotFit);
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "X", 'M', 'B', 41), kQRBadArgument);
    EXPECT_TRUE(recorder_.calls.empty());
    // Without the art suites nothing is called, whatever the text.
    gPluginState.path = nullptr;
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "X", 'M', 'B', 0), kSPSuiteNotFoundError);
    EXPECT_TRUE(recorder_.calls.empty());
}

TEST_F(SymbolArtTest, ASymbolBeyondTheHostsRealsIsRefusedWholeBeforeAnyArt) {
    // 29 modules of 2e37 points reach past the largest float, and so does
    // half of a smaller symbol beside a centre at the largest float.
    EXPECT_EQ(DrawSymbolArt(0, 0, 2e37, "12345", 'M', 'N', 1), kQRActionBadParameters);
    EXPECT_EQ(DrawSymbolArt(FLT_MAX, 0, 1e32, "12345", 'M', 'N', 1), kQRActionBadParameters);
    EXPECT_EQ(DrawSymbolArt(0, std::nan(""), 1, "12345", 'M', 'N', 1), kQRActionBadParameters);
    EXPECT_TRUE(recorder_.calls.empty());
    // Large but within them: drawn, every corner finite.
    EXPECT_EQ(DrawSymbolArt(0, 0, 1e36, "12345", 'M', 'N', 1), kSPNoError);
    ASSERT_FALSE(recorder_.segments.empty());
    for (const auto& [path, segments] : recorder_.segments)
        for (const AIPathSegment& segment : segments)
            EXPECT_TRUE(std::isfinite(segment.p.h) && std::isfinite(segment.p.v));
}

TEST_F(SymbolArtTest, AFailedGroupEndsTheDrawingAFailedPathDoesNot) {
    recorder_.failAt = 1;
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "12345", 'M', 'N', 1), kInjected);
    EXPECT_EQ(recorder_.calls.size(), 1u);

    // The quiet zone's path fails to be made: the modules follow all the same.
    const int dark = DarkModules(*Encode("12345", 'M', 'N', 1));
    recorder_ = Recorder{};
    recorder_.failAt = 2;
    EXPECT_EQ(DrawSymbolArt(0, 0, 1, "12345", 'M', 'N', 1), kSPNoError);
    EXPECT_EQ(recorder_.calls.size(), 2u + 7u * dark);
    EXPECT_EQ(recorder_.segments.size(), static_cast<size_t>(dark));

    // A failed style or segment leaves that path as it is and goes on.
    for (unsigned failAt : {3u, 4u, 6u}) {
        recorder_ = Recorder{};
        recorder_.failAt = failAt;
        EXPECT_EQ(DrawSymbolArt(0, 0, 1, "12345", 'M', 'N', 1), kSPNoError);
        EXPECT_EQ(recorder_.calls.size(), 1u + 7u * (1 + dark)) << failAt;
    }
}

TEST_F(SymbolArtTest, AddRectPathGivesTheLastSegmentsResult) {
    const ASRealRect rect = {1, 4, 3, 2};
    AIArtHandle group = reinterpret_cast<AIArtHandle>(uintptr_t{99});
    recorder_.failAt = 7;  // the fourth segment
    EXPECT_EQ(AddRectPath(group, &rect, kASTrue), kInjected);
    recorder_ = Recorder{};
    recorder_.failAt = 4;  // the first segment; the last one succeeds
    EXPECT_EQ(AddRectPath(group, &rect, kASTrue), kSPNoError);
    recorder_ = Recorder{};
    recorder_.failAt = 2;  // the style
    EXPECT_EQ(AddRectPath(group, &rect, kASFalse), kSPNoError);
    EXPECT_EQ(recorder_.calls.size(), 7u);
    recorder_ = Recorder{};
    recorder_.failAt = 1;  // the path itself
    EXPECT_EQ(AddRectPath(group, &rect, kASFalse), kInjected);
    EXPECT_EQ(recorder_.calls, std::vector<std::string>{"NewArt 2 3 #99"});
}

// Everything a document holds after a drawing that failed somewhere: one
// group (unless making it failed) whose paths each have a prefix of their
// four corners, and no handle alive that is not in the tree.
TEST_F(SymbolArtTest, EveryFailedHostCallLeavesAWellFormedDocument) {
    UseStandinDocuments();
    const char* text = "0123456789";
    const auto matrix = Encode(text, 'L', 'N', 1);
    const size_t paths = 1 + static_cast<size_t>(DarkModules(*matrix));

    standin::OpenDocument("Count");
    standin::FailHostCall(0, kSPNoError);
    ASSERT_EQ(DrawSymbolArt(100, 100, 2, text, 'L', 'N', 1), kSPNoError);
    const unsigned total = standin::HostCallCount(standin::HostCall::kArt);
    ASSERT_EQ(total, 1 + 7 * paths);
    std::vector<std::vector<AIPathSegment>> reference;
    for (const auto& path : standin::CurrentDocument()->art.children.at(0)->children)
        reference.push_back(path->segments);
    standin::CloseAllDocuments();

    for (unsigned k = 1; k <= total; ++k) {
        standin::Document* document = standin::OpenDocument("Failing");
        standin::FailHostCall(k, kPluginOutOfMemoryError, standin::HostCall::kArt);
        const ASErr result = DrawSymbolArt(100, 100, 2, text, 'L', 'N', 1);
        standin::FailHostCall(0, kSPNoError);
        ASSERT_EQ(standin::LiveArtCount(), standin::CountArt(document->art)) << k;
        if (k == 1) {
            EXPECT_EQ(result, kPluginOutOfMemoryError);
            EXPECT_TRUE(document->art.children.empty());
            standin::CloseDocument(document);
            continue;
        }
        ASSERT_EQ(result, kSPNoError) << k;
        ASSERT_EQ(document->art.children.size(), 1u) << k;
        const standin::Art& group = *document->art.children[0];
        ASSERT_EQ(group.type, kGroupArt);
        // Call k is call `step` (0 new art, 1 style, 2 closing, 3 to 6 the
        // corners) of path `failed`; only a failed new art loses its path.
        const size_t failed = (k - 2) / 7, step = (k - 2) % 7;
        ASSERT_EQ(group.children.size(), step == 0 ? paths - 1 : paths) << k;
        for (size_t i = 0; i < group.children.size(); ++i) {
            const standin::Art& path = *group.children[i];
            const size_t drawn = step == 0 && i >= failed ? i + 1 : i;
            ASSERT_EQ(path.type, kPathArt);
            ASSERT_EQ(path.parent, &group);
            ASSERT_EQ(path.document, document);
            const bool hit = drawn == failed;
            // The corners a path has are the first of its four, in order.
            const size_t corners = hit && step >= 3 ? step - 3 : 4;
            ASSERT_EQ(path.segments.size(), corners) << k;
            ASSERT_TRUE(std::equal(path.segments.begin(), path.segments.end(),
                                   reference[drawn].begin(),
                                   [](const AIPathSegment& a, const AIPathSegment& b) {
                                       return std::memcmp(&a, &b, sizeof a) == 0;
                                   }))
                << k;
            ASSERT_EQ(path.closed, !(hit && step == 2)) << k;
            ASSERT_EQ(path.style.stroke.miterLimit, hit && step == 1 ? 0.0f : 4.0f) << k;
        }
        standin::CloseDocument(document);
        ASSERT_EQ(standin::LiveArtCount(), 0u) << k;
    }
}

}  // namespace
