#include "standin/cli/engine_session.h"

#include "host/module_state.h"
#include "host/plugin_globals.h"
#include "qr/table_file.h"
#include "standin/host/standin_app_folder.h"
#include "standin/host/standin_suites.h"

namespace {

// The globals record of the session: only its mask setting matters to the
// engine.
PluginGlobals gSessionGlobals;

// Whether the session chose the application folder, which it then gives up.
bool gChoseAppFolder = false;

}  // namespace

bool BeginEngineSession(const char* appFolder, int32_t maskSetting, std::string* why) {
    if (appFolder != nullptr && !SetStandinAppFolder(appFolder, why)) return false;
    gChoseAppFolder = appFolder != nullptr;
    if (!CheckStandinAppFolder(why)) {
        EndEngineSession();
        return false;
    }
    const ASErr rc = InstallStandinSuites();
    if (rc != kSPNoError) {
        *why = "the stand-in's suites could not be installed (error " + std::to_string(rc) + ")";
        return false;
    }
    SetDefaultGlobals(&gSessionGlobals);
    gSessionGlobals.maskSetting = maskSetting;
    gModuleState.globals = &gSessionGlobals;
    return true;
}

void EndEngineSession() {
    gModuleState.globals = nullptr;
    UninstallStandinSuites();
    if (gChoseAppFolder) SetStandinAppFolder(nullptr);
    gChoseAppFolder = false;
}

std::string StandinTableFilePath() { return StandinAppFolder() + "/Prefs/Orvelk/ORVK_QR.DAT"; }
