// The engine's host for the benchmarks: the build's application folder, and
// a mask setting each benchmark chooses.
#include "bench/bench_engine_host.h"

#include <cstring>

#include "platform/win_path.h"
#include "qr/engine_host.h"

namespace {
int32_t gMaskSetting = 0;
}  // namespace

void SetBenchMaskSetting(int32_t setting) { gMaskSetting = setting; }

int32_t FindAppFolder(char* folder) {
    return NativePathToWindows(ORVELK_BENCH_APP_DIR, folder, kAppFolderSize) == ERROR_SUCCESS ? 0 : -1;
}

int32_t EngineMaskSetting() { return gMaskSetting; }
