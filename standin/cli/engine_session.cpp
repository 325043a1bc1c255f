#include "standin/cli/engine_session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "qr/engine_host.h"
#include "qr/store/table_failure.h"
#include "standin/host/standin_app_folder.h"

namespace {

// The mask setting of the session, which the engine reads at every encoding.
int32_t gSessionMaskSetting = 0;

// Whether the session chose the application folder, and the choice before
// it, which the session's end gives back (a session within a host session
// leaves the host's folder as it was).
bool gChoseAppFolder = false;
std::string gEarlierFolder;

}  // namespace

bool BeginEngineSession(const char* appFolder, int32_t maskSetting, std::string* why) {
    const std::string earlier = ChosenStandinAppFolder();
    if (!ChooseStandinAppFolder(appFolder, why)) return false;
    gChoseAppFolder = appFolder != nullptr;
    gEarlierFolder = earlier;
    gSessionMaskSetting = maskSetting;
    const QREngineHost host = {StandinFindAppFolder, &gSessionMaskSetting};
    SetQREngineHost(&host);
    return true;
}

void EndEngineSession() {
    SetQREngineHost(nullptr);
    if (gChoseAppFolder)
        SetStandinAppFolder(gEarlierFolder.empty() ? nullptr : gEarlierFolder.c_str());
    gChoseAppFolder = false;
}

std::string TableFileFailureText(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        if (errno == ENOENT) return "the symbol table file is missing: " + path;
        return "the symbol table file cannot be read: " + path + ": " + std::strerror(errno);
    }
    std::fclose(f);
    // The engine of this process notes which section failed and why; a
    // plug-in's own engine keeps its note to itself.
    char why[128];
    if (DescribeLastTableFailure(why, sizeof why) > 0 && LastTableFailure().section[0] != '\0')
        return "the symbol table file is damaged: " + path + ": " + why;
    return "the symbol table file is damaged: " + path;
}
