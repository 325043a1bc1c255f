// The engine's host for the benchmarks: the build's application folder, and
// a mask setting each benchmark chooses.
#pragma once

#include <cstdint>

// Installs the benchmarks' engine host with the mask setting `setting`: 0
// automatic, k + 1 for mask k.
void SetBenchMaskSetting(int32_t setting);
