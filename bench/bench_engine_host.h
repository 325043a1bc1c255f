// The engine's host for the benchmarks.
#pragma once

#include <cstdint>

// Sets the plug-in's mask setting the engine reads: 0 automatic, k + 1 for mask k.
void SetBenchMaskSetting(int32_t setting);
