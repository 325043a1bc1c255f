// EncodeQRSymbol against two well-kept encoders on the same payloads: byte
// mode at level M, filling versions 1, 2, 3, 5, 10, 25 and 40. The engine's runs read
// and decompress the table file's records every time, as the plug-in does.
#include <benchmark/benchmark.h>
#include <qrcodegen/qrcodegen.hpp>
#include <qrencode.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_engine_host.h"
#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"
#include "qr/table_file.h"

namespace {

// Byte-mode payloads that fill versions 1, 2, 3, 5, 10, 25 and 40 at level M:
// the most bytes each holds.
const std::string& Payload(int version) {
    static const auto make = [](size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i) s += static_cast<char>('A' + (i * 7) % 26 + (i % 3) * 32 % 64);
        return s;
    };
    static const std::string k1 = make(14), k2 = make(26), k3 = make(42), k5 = make(84),
                             k10 = make(213), k25 = make(997), k40 = make(2331);
    switch (version) {
        case 1: return k1;
        case 2: return k2;
        case 3: return k3;
        case 5: return k5;
        case 10: return k10;
        case 25: return k25;
        default: return k40;
    }
}

void EngineEncode(benchmark::State& state, int32_t maskSetting) {
    const int version = static_cast<int>(state.range(0));
    const std::string& text = Payload(version);
    auto matrix = std::make_unique<ModuleMatrix>();
    SetBenchMaskSetting(maskSetting);
    for (auto _ : state) {
        const int32_t rc = EncodeQRSymbol(text.c_str(), 'M', 'B', 0, matrix.get());
        if (rc != kQROk || matrix->side != 4 * version + 17) {
            state.SkipWithError("the engine failed: is the table file laid out?");
            break;
        }
        benchmark::DoNotOptimize(matrix->modules[0]);
    }
    SetBenchMaskSetting(0);
}

void BM_Orvelk_AutoMask(benchmark::State& state) { EngineEncode(state, 0); }
void BM_Orvelk_Mask0(benchmark::State& state) { EngineEncode(state, 1); }

void BM_Libqrencode_AutoMask(benchmark::State& state) {
    const std::string& text = Payload(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QRcode* code = QRcode_encodeData(static_cast<int>(text.size()),
                                         reinterpret_cast<const unsigned char*>(text.data()), 0,
                                         QR_ECLEVEL_M);
        if (code == nullptr || code->version != state.range(0)) {
            state.SkipWithError("libqrencode chose another version");
            break;
        }
        benchmark::DoNotOptimize(code->data);
        QRcode_free(code);
    }
}

void BM_Qrcodegen_AutoMask(benchmark::State& state) {
    const std::string& text = Payload(static_cast<int>(state.range(0)));
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    const std::vector<qrcodegen::QrSegment> segments{qrcodegen::QrSegment::makeBytes(bytes)};
    for (auto _ : state) {
        const qrcodegen::QrCode code = qrcodegen::QrCode::encodeSegments(
            segments, qrcodegen::QrCode::Ecc::MEDIUM, 1, 40, -1, false);
        if (code.getVersion() != state.range(0)) {
            state.SkipWithError("qrcodegen chose another version");
            break;
        }
        benchmark::DoNotOptimize(code.getModule(0, 0));
    }
}

// The data stages alone: filtering, bit stream, version choice, packing.
void BM_Orvelk_DataCodewords(benchmark::State& state) {
    const std::string& text = Payload(static_cast<int>(state.range(0)));
    auto data = std::make_unique<DataCodewords>();
    for (auto _ : state) benchmark::DoNotOptimize(BuildDataCodewords(text.c_str(), 'M', 'B', 0, data.get()));
}

// Reading and decompressing the largest records: version 40's
// version-and-level record and template.
void BM_Orvelk_ReadVersion40Records(benchmark::State& state) {
    SetBenchMaskSetting(0);  // the host that finds the table file
    for (auto _ : state) {
        for (const char* name : {"QRA_S40M", "QRB_S40"}) {
            uint8_t* bytes = nullptr;
            int32_t length = 0;
            ReadTableSection(name, &bytes, &length);
            if (bytes == nullptr) state.SkipWithError("no table file");
            std::free(bytes);
        }
    }
}

#define VERSIONS \
    ->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Arg(10)->Arg(25)->Arg(40)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_Orvelk_AutoMask) VERSIONS;
BENCHMARK(BM_Libqrencode_AutoMask) VERSIONS;
BENCHMARK(BM_Qrcodegen_AutoMask) VERSIONS;
BENCHMARK(BM_Orvelk_Mask0) VERSIONS;
BENCHMARK(BM_Orvelk_DataCodewords) VERSIONS;
BENCHMARK(BM_Orvelk_ReadVersion40Records)->Unit(benchmark::kMicrosecond);

}  // namespace
