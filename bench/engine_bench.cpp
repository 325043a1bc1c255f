// Speed of the engine's data stages: filtering, bit stream, version choice
// and packing, for the payloads of versions 1, 10, 25 and 40.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "qr/data_codewords.h"

namespace {

// Byte-mode payloads that fill versions 1, 10, 25 and 40 at level M.
const std::string& Payload(int version) {
    static const std::string k1(14, 'a'), k10(213, 'b'), k25(997, 'c'), k40(2331, 'd');
    switch (version) {
        case 1: return k1;
        case 10: return k10;
        case 25: return k25;
        default: return k40;
    }
}

void BM_DataCodewords(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const std::string& text = Payload(version);
    auto data = std::make_unique<DataCodewords>();
    for (auto _ : state) {
        const int32_t rc = BuildDataCodewords(text.c_str(), 'M', 'B', 0, data.get());
        benchmark::DoNotOptimize(rc);
        if (data->version != version) state.SkipWithError("unexpected version");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_DataCodewords)->Arg(1)->Arg(10)->Arg(25)->Arg(40);

void BM_DataCodewordsMixed(benchmark::State& state) {
    // Alternating ASCII letters and Kanji: the most segments per byte.
    std::string text;
    while (text.size() < 900) text += "a\x88\x9F";
    auto data = std::make_unique<DataCodewords>();
    for (auto _ : state) benchmark::DoNotOptimize(BuildDataCodewords(text.c_str(), 'L', 'M', 0, data.get()));
}
BENCHMARK(BM_DataCodewordsMixed);

}  // namespace
