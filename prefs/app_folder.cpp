#include "prefs/app_folder.h"

#include <cassert>
#include <cstring>

#include "globals/plugin_state.h"

int32_t FindAppFolder(char* folder) {
    assert(folder != nullptr);
    folder[0] = '\0';
    const AIRuntimeSuite* runtime = gPluginState.runtime;
    if (runtime == nullptr) return kSPSuiteNotFoundError;

    SPPlatformFileSpecification executable;
    std::memset(&executable, 0, sizeof executable);
    const ASErr error = runtime->GetAppFileSpecification(&executable);
    if (error != kSPNoError) return error;

    // The engine's folder buffer is the host's file path.
    static_assert(sizeof executable.path == kAppFolderSize);
    std::memcpy(folder, executable.path, kAppFolderSize);
    folder[kAppFolderSize - 1] = '\0';  // a host that filled all 300 bytes
    CutAtAppFolderPattern(folder);
    return kSPNoError;
}
