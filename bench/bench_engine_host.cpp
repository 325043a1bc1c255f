#include "bench/bench_engine_host.h"

#include "platform/win_path.h"
#include "qr/engine_host.h"

namespace {

int32_t gMaskSetting = 0;

int32_t FindBenchAppFolder(char* folder) {
    return NativePathToWindows(ORVELK_BENCH_APP_DIR, folder, kAppFolderSize) == ERROR_SUCCESS ? 0
                                                                                              : -1;
}

}  // namespace

void SetBenchMaskSetting(int32_t setting) {
    gMaskSetting = setting;
    const QREngineHost host = {FindBenchAppFolder, &gMaskSetting};
    SetQREngineHost(&host);
}
