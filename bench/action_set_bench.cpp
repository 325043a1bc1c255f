// Reading action sets of growing length: the time per action must stay the
// same (Google Benchmark fits the complexity; it reports O(N) for a linear
// read).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "standin/actions/action_set.h"

namespace {

// A set of `count` small actions, one document each.
std::string SmallActions(int64_t count) {
    std::string json = "{\"format\":\"orvelk-action-set\",\"version\":1,\"actions\":[\n";
    for (int64_t i = 0; i < count; ++i) {
        json += "{\"event\":\"Orvelk_QRCode\",\"dialog\":3,\"document\":" + std::to_string(i + 1) +
                ",\"parameters\":[{\"key\":\"data\",\"type\":\"strn\",\"value\":\"A\"}]}";
        json += i + 1 < count ? ",\n" : "\n";
    }
    return json + "]}\n";
}

void BM_ReadActionSet(benchmark::State& state) {
    const std::string json = SmallActions(state.range(0));
    std::vector<standin::RecordedAction> actions;
    std::string error;
    for (auto _ : state) {
        if (!standin::ActionSetFromJson(json, "bench.json", &actions, &error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(actions.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadActionSet)->RangeMultiplier(4)->Range(1 << 12, 1 << 18)->Complexity()->Unit(
    benchmark::kMillisecond);

}  // namespace
