#include "standin/app/engine_session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "qr/engine_host.h"
#include "qr/store/table_failure.h"
#include "standin/host/standin_app_folder.h"

namespace {

#if !defined(O_NONBLOCK)
constexpr int O_NONBLOCK = 0;  // Windows opens a pipe without waiting anyway
#endif

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
    // Opened without waiting: a named pipe without a writer would hold a
    // plain open forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return "the symbol table file is missing: " + path;
        return "the symbol table file cannot be read: " + path + ": " + std::strerror(errno);
    }
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (known && !S_ISREG(st.st_mode)) {
        const char* what = S_ISDIR(st.st_mode)    ? "a folder"
                           : S_ISFIFO(st.st_mode) ? "a named pipe"
                                                  : "a device or another special file";
        return "the symbol table file is not a file but " + std::string(what) + ": " + path;
    }
    // The engine of this process notes which section failed and why; a
    // plug-in's own engine keeps its note to itself.
    char why[128];
    if (DescribeLastTableFailure(why, sizeof why) > 0 && LastTableFailure().section[0] != '\0')
        return "the symbol table file is damaged: " + path + ": " + why;
    return "the symbol table file is damaged: " + path;
}
