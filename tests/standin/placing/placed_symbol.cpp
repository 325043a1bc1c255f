#include "tests/standin/placing/placed_symbol.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "contract/dialog_ids.h"
#include "qr/symbol_encoder.h"
#include "standin/app/engine_session.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_transcript.h"
#include "standin/host/plugins.h"
#include "standin/host/suite_registry.h"
#include "tests/support/standin_host_test.h"

namespace {

struct Square {
    double left, top, right, bottom;
};

// The rows of a symbol from its quiet-zone square and its module squares.
std::string MatrixOf(const Square& outer, const std::vector<Square>& modules) {
    if (modules.empty()) return "";
    const double m = modules[0].right - modules[0].left;
    const long n = std::lround((outer.right - outer.left) / m) - 8;
    if (n < 21 || n > kMaxSide) return "";
    std::string rows(static_cast<size_t>(n * (n + 1)), '0');
    for (long r = 0; r < n; ++r) rows[static_cast<size_t>(r * (n + 1) + n)] = '\n';
    for (const Square& s : modules) {
        const long c = std::lround((s.left - outer.left) / m) - 4;
        const long r = std::lround((outer.top - s.top) / m) - 4;
        if (c < 0 || c >= n || r < 0 || r >= n) return "";
        char& cell = rows[static_cast<size_t>(r * (n + 1) + c)];
        if (cell == '1') return "";  // two squares on one module
        cell = '1';
    }
    return rows;
}

Square SquareOf(const standin::Art& path) {
    if (path.segments.size() != 4) return {0, 0, 0, 0};
    return {path.segments[0].p.h, path.segments[0].p.v, path.segments[2].p.h, path.segments[2].p.v};
}

}  // namespace

std::string MatrixOfGroup(const standin::Art& group) {
    if (group.children.empty()) return "";
    std::vector<Square> modules;
    for (size_t i = 1; i < group.children.size(); ++i)
        modules.push_back(SquareOf(*group.children[i]));
    return MatrixOf(SquareOf(*group.children[0]), modules);
}

std::string MatrixOfSvg(const std::string& svg) {
    std::vector<Square> squares;
    for (size_t at = svg.find("<path d=\"M"); at != std::string::npos;
         at = svg.find("<path d=\"M", at + 1)) {
        // M l t L r t L r b L l b Z
        const char* p = svg.c_str() + at + 10;
        double v[8];
        for (double& x : v) {
            char* end = nullptr;
            x = std::strtod(p, &end);
            p = end;
            while (*p == ' ' || *p == 'L') ++p;
        }
        squares.push_back({v[0], v[1], v[2], v[5]});
    }
    if (squares.empty()) return "";
    return MatrixOf(squares[0], std::vector<Square>(squares.begin() + 1, squares.end()));
}

std::string EngineMatrix(const std::string& text, char level, char mode, int version,
                         int maskSetting) {
    std::string why;
    if (!BeginEngineSession(ORVELK_TEST_APP_DIR, maskSetting, &why)) return "";
    auto m = std::make_unique<ModuleMatrix>();
    const int32_t rc = EncodeQRSymbol(text.c_str(), level, mode, version, m.get());
    EndEngineSession();
    if (rc != kQROk || m->side == 0) return "";
    std::string rows;
    for (int r = 0; r < m->side; ++r) {
        for (int c = 0; c < m->side; ++c) rows += m->modules[c * kMaxSide + r] ? '1' : '0';
        rows += '\n';
    }
    return rows;
}

bool Linked(const standin::Art& art, const standin::Document* document) {
    for (const auto& child : art.children)
        if (child->parent != &art || child->document != document || !Linked(*child, document))
            return false;
    return true;
}

void OrvelkSessionTest::SetUp() {
    const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
    if (!std::filesystem::exists(module)) GTEST_SKIP() << "the module is not built: " << module;
    ResetStandinSuiteUse();
    standin::ClearTranscript();
    session_ = std::make_unique<standin::HostSession>();
    ASSERT_TRUE(session_->LoadAndStartPlugins());
    ASSERT_EQ(standin::Plugins().size(), 1u);
    plugin_ = standin::Plugins()[0].get();
    // The host holds the plug-in's globals only across an unload; the next
    // message loads the module again.
    ASSERT_EQ(standin::UnloadPlugin(plugin_), kSPNoError);
    ASSERT_NE(plugin_->globals, nullptr);
    document_ = standin::OpenDocument("Untitled-1");
    standin::ClearTranscript();
}

void OrvelkSessionTest::TearDown() {
    session_.reset();
    standin::ClearTranscript();
    ResetStandinSuiteUse();
}

PluginGlobals& OrvelkSessionTest::Globals() {
    return *static_cast<PluginGlobals*>(plugin_->globals);
}

ASErr OrvelkSessionTest::RunFilter() {
    return standin::RunFilter(standin::Filters().at(0));
}

ASErr OrvelkSessionTest::Play(const standin::RecordedAction& action) {
    return standin::PlayAction(action, action.dialogStatus);
}

std::vector<std::string> OrvelkSessionTest::Heard() const {
    return HeardInTranscript();
}

std::vector<std::string> OrvelkSessionTest::ShownItemTexts(int32_t dialogId,
                                                           const std::vector<int32_t>& ids) const {
    std::vector<std::string> texts;
    for (const standin::TranscriptEntry& e : standin::Transcript()) {
        if (e.kind != standin::TranscriptEntry::Kind::kDialogShown || e.dialogId != dialogId)
            continue;
        texts.clear();
        for (int32_t id : ids)
            for (const standin::ShownDialogItem& item : e.items)
                if (item.id == id) texts.push_back(item.text);
    }
    return texts;
}
