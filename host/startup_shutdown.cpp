#include "host/startup_shutdown.h"

#include <cassert>

#include "host/action_registration.h"
#include "host/filter_registration.h"
#include "host/module_state.h"
#include "host/plugin_globals.h"
#include "prefs/preferences_file.h"

ASErr HandleStartup(SPMessageData* message) {
    assert(message != nullptr);
    const SPBlocksSuite* blocks = gModuleState.blocks;
    if (blocks == nullptr) return kSPSuiteNotFoundError;

    void* block = nullptr;
    const ASErr error = blocks->AllocateBlock(sizeof(PluginGlobals), kGlobalsBlockName, &block);
    if (error != kSPNoError) return error;
    if (block == nullptr) return kSPOutOfMemoryError;
    auto* globals = static_cast<PluginGlobals*>(block);
    gModuleState.globals = globals;

    SetDefaultGlobals(globals);
    LoadPreferences();  // a missing or unreadable file leaves the defaults

    const ASErr filterError = AddQRFilter(message);
    if (filterError != kSPNoError) return filterError;
    return RegisterQRAction(message);
}

ASErr HandleShutdown(SPMessageData* message) {
    assert(message != nullptr);
    const SPBasicSuite* basic = gModuleState.basic;
    assert(basic != nullptr);

    const void* suite = nullptr;
    const ASErr error = basic->AcquireSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, &suite);
    if (error == kSPNoError) {
        // Held apart from the table's pointer, so that the release pass gives
        // back only what the acquisition pass took.
        const auto* blocks = static_cast<const SPBlocksSuite*>(suite);
        if (blocks != nullptr) {
            blocks->FreeBlock(gModuleState.globals);
            gModuleState.globals = nullptr;
        }
        basic->ReleaseSuite(kSPBlocksSuite, kSPBlocksSuiteVersion);
    }
    message->globals = nullptr;
    return error;
}

ASErr HandleUnload(SPMessageData* message) {
    assert(message != nullptr);
    message->globals = gModuleState.globals;
    return kSPNoError;
}

ASErr HandleReload(SPMessageData* message) {
    assert(message != nullptr);
    gModuleState.globals = static_cast<PluginGlobals*>(message->globals);
    gModuleState.acquireDepth = 0;
    return kSPNoError;
}
