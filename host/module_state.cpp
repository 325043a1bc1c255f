#include "host/module_state.h"

#include <cassert>

ModuleState gModuleState = {};

void ResetModuleState() {
    gModuleState = ModuleState{};
}

int32_t EngineMaskSetting() {
    const PluginGlobals* globals = gModuleState.globals;
    if (globals == nullptr) return kDefaultMaskSetting;
    const int32_t setting = globals->maskSetting;
    assert(setting >= 0 && setting < kMaskSettingCount);
    if (setting < 0 || setting >= kMaskSettingCount) return kDefaultMaskSetting;
    return setting;
}
