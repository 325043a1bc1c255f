#include "shell/filter_run.h"

#include <cassert>

#include "globals/plugin_state.h"
#include "shell/action_registration.h"
#include "ui/settings_dialog.h"

namespace {

// Items that close the settings dialog.
constexpr int32_t kSettingsOkItem = kADMDefaultItemID;
constexpr int32_t kSettingsCancelItem = kADMCancelItemID;

}  // namespace

ASErr HandleGetParameters(AIFilterMessage* message) {
    assert(message != nullptr);
    const PluginGlobals* globals = gPluginState.globals;
    // Without a startup no filter of this plug-in exists.
    if (globals == nullptr || message->filter != globals->filter) return kSPNoError;
    const int32_t closedBy = RunSettingsDialog(message->d.self);
    if (closedBy == kSettingsCancelItem) return kSPUserCanceledError;
    if (closedBy == kSettingsOkItem) return kSPNoError;
    return closedBy;
}

ASErr HandleGo(AIFilterMessage* /*message*/) {
    // "AI Go" draws whatever the globals hold, for whichever filter.
    if (gPluginState.globals == nullptr) return kSPBadParameterError;
    const ASErr error = GenerateFromSettings();
    if (error == kSPNoError) RecordQRAction(kQRActionUserData);
    return error;
}

ASErr HandleDoAction(AIActionDoActionMessage* message) {
    assert(message != nullptr);
    if (message->userData != kQRActionUserData) return kSPNoError;
    return PlayQRAction(message);
}

ASErr GenerateFromSettings() {
    return kSPNoError;
}

ASErr RecordQRAction(ActionUserData /*userData*/) {
    return kSPNoError;
}

ASErr PlayQRAction(AIActionDoActionMessage* /*message*/) {
    return kSPNoError;
}
