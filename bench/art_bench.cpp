// The plug-in's artwork in the stand-in: DrawSymbolArt of a version-40
// symbol into a stand-in document (the engine's encoding, table reads
// included, and some 7 host calls a dark module), and that document's export
// to SVG, PDF and PNG.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "art/symbol_art.h"
#include "globals/plugin_state.h"
#include "standin/app/engine_session.h"
#include "standin/export/export_document.h"
#include "standin/suites/document/documents.h"

namespace {

constexpr double kModuleSize = 0.50 / 0.35278;

// 2331 bytes: the most a version-40 symbol holds in byte mode at level M.
const std::string& Version40Text() {
    static const std::string text = [] {
        std::string s;
        for (size_t i = 0; i < 2331; ++i) s += static_cast<char>('!' + (i * 37) % 90);
        return s;
    }();
    return text;
}

// The stand-in's art suites as the plug-in holds them, and the engine's host.
bool InstallArtHost() {
    static const bool installed = [] {
        gPluginState.art = standin::StandinArtSuite();
        gPluginState.path = standin::StandinPathSuite();
        gPluginState.pathStyle = standin::StandinPathStyleSuite();
        std::string why;
        return BeginEngineSession(ORVELK_BENCH_APP_DIR, 0, &why);
    }();
    return installed;
}

// A new document holding the version-40 symbol; null when drawing failed.
standin::Document* Version40Document() {
    standin::CloseAllDocuments();
    standin::Document* document = standin::OpenDocument("Bench");
    const ASErr error = DrawSymbolArt(document->viewCenter.h, document->viewCenter.v, kModuleSize,
                                      Version40Text().c_str(), 'M', 'B', 40);
    return error == kSPNoError && !document->art.children.empty() ? document : nullptr;
}

void BM_DrawSymbolArt_Version40(benchmark::State& state) {
    if (!InstallArtHost()) return state.SkipWithError("no table file: is the build laid out?");
    size_t paths = 0;
    for (auto _ : state) {
        state.PauseTiming();
        standin::CloseAllDocuments();
        standin::Document* document = standin::OpenDocument("Bench");
        state.ResumeTiming();
        const ASErr error = DrawSymbolArt(document->viewCenter.h, document->viewCenter.v,
                                          kModuleSize, Version40Text().c_str(), 'M', 'B', 40);
        if (error != kSPNoError) return state.SkipWithError("DrawSymbolArt failed");
        paths = standin::CountArt(document->art) - 1;
    }
    state.counters["paths"] = static_cast<double>(paths);
    standin::CloseAllDocuments();
}

void Export(benchmark::State& state, standin::ExportFormat format) {
    if (!InstallArtHost()) return state.SkipWithError("no table file: is the build laid out?");
    standin::Document* document = Version40Document();
    if (document == nullptr) return state.SkipWithError("DrawSymbolArt failed");
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out, error;
        if (!standin::RenderDocument(*document, format, {}, &out, &error))
            return state.SkipWithError(error.c_str());
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    standin::CloseAllDocuments();
}

void BM_ExportVersion40_Svg(benchmark::State& state) {
    Export(state, standin::ExportFormat::kSvg);
}
void BM_ExportVersion40_Pdf(benchmark::State& state) {
    Export(state, standin::ExportFormat::kPdf);
}
void BM_ExportVersion40_Png(benchmark::State& state) {
    Export(state, standin::ExportFormat::kPng);
}

}  // namespace

BENCHMARK(BM_DrawSymbolArt_Version40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportVersion40_Svg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportVersion40_Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportVersion40_Png)->Unit(benchmark::kMillisecond);
