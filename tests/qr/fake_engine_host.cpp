#include "tests/qr/fake_engine_host.h"

#include <cstring>

#include "platform/win_path.h"
#include "qr/engine_host.h"
#include "qr/store/table_file.h"

namespace {

std::string gFolder;
int32_t gError = 0;
int32_t gMask = 0;

}  // namespace

int32_t FindFakeAppFolder(char* folder) {
    if (gError != 0) return gError;
    std::strncpy(folder, gFolder.c_str(), kAppFolderSize - 1);
    folder[kAppFolderSize - 1] = '\0';
    return 0;
}

void InstallFakeEngineHost() {
    const QREngineHost host = {FindFakeAppFolder, &gMask};
    SetQREngineHost(&host);
}

void ChangeFakeAppFolder(const std::string& nativeDir) {
    char windows[kAppFolderSize];
    gFolder = NativePathToWindows(nativeDir.c_str(), windows, sizeof windows) == ERROR_SUCCESS
                  ? windows
                  : nativeDir;
}

void SetFakeAppFolder(const std::string& nativeDir, int32_t error) {
    ChangeFakeAppFolder(nativeDir);
    gError = error;
    InstallFakeEngineHost();
}

void SetFakeMaskSetting(int32_t setting) {
    gMask = setting;
    InstallFakeEngineHost();
}

std::string HostTableFilePath() {
    char path[kTableFilePathSize];
    FindHostTableFile(path);
    return path;
}
