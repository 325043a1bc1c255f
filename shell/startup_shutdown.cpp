#include "shell/startup_shutdown.h"

#include <cassert>

#include "globals/plugin_globals.h"
#include "globals/plugin_state.h"
#include "prefs/app_folder.h"
#include "prefs/preferences_file.h"
#include "qr/engine_host.h"
#include "shell/action_registration.h"
#include "shell/error_reporter.h"
#include "shell/filter_registration.h"

namespace {

// Takes `globals` as the plug-in's record (null: none) and, with it, installs
// the engine host that reads its mask setting and finds the folder through
// the Runtime suite, or removes that host.
void TakeGlobals(PluginGlobals* globals) {
    gPluginState.globals = globals;
    if (globals == nullptr) {
        SetQREngineHost(nullptr);
        return;
    }
    const QREngineHost host = {FindAppFolder, &globals->maskSetting};
    SetQREngineHost(&host);
}

}  // namespace

ASErr HandleStartup(SPMessageData* message) {
    assert(message != nullptr);
    const SPBlocksSuite* blocks = gPluginState.blocks;
    if (blocks == nullptr) return kSPSuiteNotFoundError;

    void* block = nullptr;
    const ASErr error = blocks->AllocateBlock(static_cast<ASInt32>(sizeof(PluginGlobals)),
                                             kGlobalsBlockName, &block);
    if (error != kSPNoError) return error;
    if (block == nullptr) return kPluginOutOfMemoryError;
    auto* globals = static_cast<PluginGlobals*>(block);
    SetDefaultGlobals(globals);
    TakeGlobals(globals);
    LoadPreferences();  // a missing or unreadable file leaves the defaults

    const ASErr filterError = AddQRFilter(message);
    if (filterError != kSPNoError) return filterError;
    const ASErr actionError = RegisterQRAction(message);
    if (actionError == kQRActionNotRegistered) {
        // The filter works without its action: the user is told, and the
        // plug-in starts all the same.
        ReportError(message, actionError);
        return kSPNoError;
    }
    return actionError;
}

ASErr HandleShutdown(SPMessageData* message) {
    assert(message != nullptr);
    const SPBasicSuite* basic = gPluginState.basic;
    assert(basic != nullptr);

    const void* suite = nullptr;
    const ASErr error = basic->AcquireSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, &suite);
    if (error == kSPNoError) {
        // Held apart from the table's pointer, so that the release pass gives
        // back only what the acquisition pass took.
        const auto* blocks = static_cast<const SPBlocksSuite*>(suite);
        if (blocks != nullptr) {
            blocks->FreeBlock(gPluginState.globals);
            TakeGlobals(nullptr);
        }
        basic->ReleaseSuite(kSPBlocksSuite, kSPBlocksSuiteVersion);
    }
    message->globals = nullptr;
    return error;
}

ASErr HandleUnload(SPMessageData* message) {
    assert(message != nullptr);
    message->globals = gPluginState.globals;
    SetQREngineHost(nullptr);  // the module's code is about to go
    return kSPNoError;
}

ASErr HandleReload(SPMessageData* message) {
    assert(message != nullptr);
    TakeGlobals(static_cast<PluginGlobals*>(message->globals));
    gPluginState.acquireDepth = 0;
    return kSPNoError;
}
