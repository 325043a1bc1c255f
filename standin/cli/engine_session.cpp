#include "standin/cli/engine_session.h"

#include "qr/engine_host.h"
#include "standin/host/standin_app_folder.h"

namespace {

// The mask setting of the session, which the engine reads at every encoding.
int32_t gSessionMaskSetting = 0;

// Whether the session chose the application folder, which it then gives up.
bool gChoseAppFolder = false;

}  // namespace

bool BeginEngineSession(const char* appFolder, int32_t maskSetting, std::string* why) {
    if (!ChooseStandinAppFolder(appFolder, why)) return false;
    gChoseAppFolder = appFolder != nullptr;
    gSessionMaskSetting = maskSetting;
    const QREngineHost host = {StandinFindAppFolder, &gSessionMaskSetting};
    SetQREngineHost(&host);
    return true;
}

void EndEngineSession() {
    SetQREngineHost(nullptr);
    if (gChoseAppFolder) SetStandinAppFolder(nullptr);
    gChoseAppFolder = false;
}
