#include "fuzz/prefs_support.h"

#include <sys/stat.h>

#include <cstring>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "globals/plugin_state.h"
#include "platform/win_path.h"

namespace {

char gExecutable[kFileSpecificationSize];
const AIRuntimeSuite kRuntime = [] {
    AIRuntimeSuite s = {};
    s.GetAppFileSpecification = [](SPPlatformFileSpecification* file) -> ASErr {
        std::memcpy(file->path, gExecutable, sizeof file->path);
        return kSPNoError;
    };
    return s;
}();

}  // namespace

void InstallPrefsHost(PluginGlobals* globals) {
    const std::string app = FuzzFolder() + "app";
    ::mkdir(app.c_str(), 0700);
    ::mkdir((app + "/Prefs").c_str(), 0700);
    FUZZ_CHECK(NativePathToWindows((app + "/Support Files/Orvelk.exe").c_str(), gExecutable,
                                   sizeof gExecutable) == ERROR_SUCCESS,
               "a Windows form of the folder");
    ResetPluginState();
    gPluginState.runtime = &kRuntime;
    gPluginState.globals = globals;
}

std::string PrefsFilePath() { return FuzzFolder() + "app/Prefs/Orvelk.ini"; }

void CheckGlobalsInRange(const PluginGlobals& g) {
    FUZZ_CHECK(g.level >= 0 && g.level < kLevelIndexCount, "the level");
    FUZZ_CHECK(g.version >= 0 && g.version <= kVersionSettingMax, "the version");
    FUZZ_CHECK(g.mode >= 0 && g.mode < kModeIndexCount, "the mode");
    FUZZ_CHECK(g.moduleSize >= 0 && g.moduleSize < kModuleSizeIndexCount, "the module size");
    FUZZ_CHECK(std::memchr(g.text, 0, sizeof g.text) != nullptr, "a text that ends in its field");
}

void ConsumeSettings(FuzzedDataProvider& input, PluginGlobals* g) {
    SetDefaultGlobals(g);
    g->level = input.ConsumeIntegralInRange<int32_t>(0, kLevelIndexCount - 1);
    g->version = input.ConsumeIntegralInRange<int32_t>(0, kVersionSettingMax);
    g->mode = input.ConsumeIntegralInRange<int32_t>(0, kModeIndexCount - 1);
    g->moduleSize = input.ConsumeIntegralInRange<int32_t>(0, kModuleSizeIndexCount - 1);
}
