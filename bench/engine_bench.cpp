// EncodeQRSymbol against two well-kept encoders on the same payloads: byte
// mode at level M, filling versions 1, 2, 3, 5, 10, 25 and 40. The engine's
// runs open the table file at every encoding, as the plug-in does, and find
// its records among the sections the table cache holds; the parts below time
// the table reads, the codewords and the mask choice apart.
#include <benchmark/benchmark.h>
#include <qrcodegen/qrcodegen.hpp>
#include <qrencode.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_engine_host.h"
#include "qr/data_codewords.h"
#include "qr/engine_host.h"
#include "qr/error_correction.h"
#include "qr/mask_selection.h"
#include "qr/module_placement.h"
#include "qr/store/symbol_records.h"
#include "qr/store/table_cache.h"
#include "qr/symbol_encoder.h"

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

// The three parts of an encoding, timed apart on the payload of each version
// (level M, byte mode); together with placement and composing the symbol
// they make up BM_Orvelk_AutoMask.

// The parts' inputs: the payload's data codewords, records and placed
// working matrix. The records are views into the table cache, valid until
// the next table read.
struct Parts {
    std::unique_ptr<DataCodewords> data = std::make_unique<DataCodewords>();
    std::unique_ptr<SymbolRecords> records = std::make_unique<SymbolRecords>();
    std::unique_ptr<uint8_t[]> finalCodewords = std::make_unique<uint8_t[]>(kMaxCodewords);
    std::unique_ptr<WorkingMatrix> working = std::make_unique<WorkingMatrix>();

    bool Prepare(benchmark::State& state) {
        SetBenchMaskSetting(0);
        const std::string& text = Payload(static_cast<int>(state.range(0)));
        if (BuildDataCodewords(text.c_str(), 'M', 'B', 0, data.get()) != kQROk ||
            data->version != state.range(0) || ReadRecords() != kQROk) {
            state.SkipWithError("the engine failed: is the table file laid out?");
            return false;
        }
        ComputeErrorCorrection(data->bytes, data->dataCount, records->eccPerBlock,
                               records->blockList, records->blockCount, records->generator,
                               finalCodewords.get());
        PlaceCodewords(finalCodewords.get(), data->totalCodewords, data->remainderBits,
                       records.get(), 4 * data->version + 17, working.get());
        return true;
    }
    int32_t ReadRecords() {
        char path[kTableFilePathSize];
        FindHostTableFile(path);
        return ReadSymbolRecords(path, data->version, 'M', data->dataCount, data->totalCodewords,
                                 data->remainderBits, records.get());
    }
};

// Table reads as an encoding makes them: the file opened, its identity
// checked, the version's three records found among the held sections.
void BM_Orvelk_TableReads(benchmark::State& state) {
    Parts parts;
    if (!parts.Prepare(state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(parts.ReadRecords());
}

// Table reads after the file changed: its directory and the three records
// read and decoded.
void BM_Orvelk_TableReadsAfresh(benchmark::State& state) {
    Parts parts;
    if (!parts.Prepare(state)) return;
    for (auto _ : state) {
        ResetTableCache();
        benchmark::DoNotOptimize(parts.ReadRecords());
    }
}

// The codewords: filtering, bit stream, version choice, packing, and the
// error correction of every block.
void BM_Orvelk_Codewords(benchmark::State& state) {
    Parts parts;
    if (!parts.Prepare(state)) return;
    const std::string& text = Payload(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BuildDataCodewords(text.c_str(), 'M', 'B', 0, parts.data.get());
        ComputeErrorCorrection(parts.data->bytes, parts.data->dataCount,
                               parts.records->eccPerBlock, parts.records->blockList,
                               parts.records->blockCount, parts.records->generator,
                               parts.finalCodewords.get());
        benchmark::DoNotOptimize(parts.finalCodewords[0]);
    }
}

// The automatic mask choice: the planes of eight candidates, built and scored.
void BM_Orvelk_MaskChoice(benchmark::State& state) {
    Parts parts;
    if (!parts.Prepare(state)) return;
    const int32_t side = parts.working->side;
    for (auto _ : state) {
        auto* planes = static_cast<MaskPlanes*>(std::malloc(MaskPlanesSize(side)));
        benchmark::DoNotOptimize(ChooseMask(parts.working.get(), parts.data->levelCode,
                                            parts.records.get(), planes));
        std::free(planes);
    }
}

#define VERSIONS \
    ->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Arg(10)->Arg(25)->Arg(40)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_Orvelk_AutoMask) VERSIONS;
BENCHMARK(BM_Libqrencode_AutoMask) VERSIONS;
BENCHMARK(BM_Qrcodegen_AutoMask) VERSIONS;
BENCHMARK(BM_Orvelk_Mask0) VERSIONS;
BENCHMARK(BM_Orvelk_TableReads) VERSIONS;
BENCHMARK(BM_Orvelk_TableReadsAfresh) VERSIONS;
BENCHMARK(BM_Orvelk_Codewords) VERSIONS;
BENCHMARK(BM_Orvelk_MaskChoice) VERSIONS;

}  // namespace
