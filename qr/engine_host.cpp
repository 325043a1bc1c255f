#include "qr/engine_host.h"

#include <cassert>

#include "qr/store/table_cache.h"
#include "qr/store/table_failure.h"
#include "qr/store/table_file.h"

namespace {

// The installed host; both members null while there is none.
QREngineHost gHost = {};

}  // namespace

void SetQREngineHost(const QREngineHost* host) {
    gHost = host != nullptr ? *host : QREngineHost{};
    ResetTableCache();  // what another host's folder gave, or a module about to go
}

bool FindHostAppFolder(char* folder) {
    assert(folder != nullptr);
    folder[0] = '\0';
    if (gHost.findAppFolder == nullptr) return false;
    const int32_t rc = gHost.findAppFolder(folder);
    folder[kAppFolderSize - 1] = '\0';  // a host that filled every byte
    if (rc != 0) folder[0] = '\0';
    return rc == 0;
}

int32_t FindHostTableFile(char* path) {
    assert(path != nullptr);
    path[0] = '\0';
    char folder[kAppFolderSize];
    if (!FindHostAppFolder(folder)) {
        NoteTableFailure(nullptr, kTableFailureNoFolder);
        return kTableNoAppFolder;
    }
    return FormTableFilePath(folder, path);
}

int HostFixedMask() {
    if (gHost.maskSetting == nullptr) return -1;
    const int32_t setting = *gHost.maskSetting;
    return setting >= 1 && setting <= 8 ? setting - 1 : -1;
}
