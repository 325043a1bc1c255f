#include "standin/cli/settings_save_check.h"

#include <sys/stat.h>
#if !defined(_WIN32)
#include <sys/statvfs.h>
#endif
#include <unistd.h>

#include <cerrno>
#include <cstring>
#if defined(_WIN32)
#include <filesystem>
#include <system_error>
#endif

#include "contract/plugin_files.h"
#include "standin/host/standin_app_folder.h"

std::string SettingsFolderPath() {
    return StandinAppFolderPath(kPrefsFolderSuffix);
}

std::string SettingsFilePath() {
    return StandinAppFolderPath(kPrefsFileSuffix);
}

SettingsFileState TakeSettingsFileState() {
    SettingsFileState state;
    struct stat st;
    if (::stat(SettingsFilePath().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return state;
    state.exists = true;
    state.device = static_cast<uint64_t>(st.st_dev);
    state.inode = static_cast<uint64_t>(st.st_ino);
#if defined(_WIN32)
    // No inode numbers here: a new file is written at a later moment, which
    // the file system keeps to the 100 nanoseconds.
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(SettingsFilePath(), ec);
    state.changed = ec ? 0 : static_cast<int64_t>(written.time_since_epoch().count());
#else
    state.changed = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
#endif
    return state;
}

bool SettingsFileWritten(const SettingsFileState& before) {
    const SettingsFileState now = TakeSettingsFileState();
    if (!now.exists) return false;
    if (!before.exists) return true;
    return now.device != before.device || now.inode != before.inode ||
           now.changed != before.changed;
}

std::string SettingsSaveFailureText() {
    const std::string file = SettingsFilePath();
    const std::string folder = SettingsFolderPath();
    const std::string notSaved = "the settings were not saved to " + file + ": ";
    struct stat st;
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return notSaved + "it is a folder";
        // The platform, as Windows does, replaces no file marked read-only.
        if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
            return notSaved + "it is read-only; it is as it was";
    }
    if (::stat(folder.c_str(), &st) != 0) return notSaved + folder + ": " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return notSaved + folder + " is not a folder";
    if (::access(folder.c_str(), W_OK) != 0)
        return notSaved + "cannot write in " + folder + ": " + std::strerror(errno);
#if !defined(_WIN32)
    struct statvfs space;
    if (::statvfs(folder.c_str(), &space) == 0 &&
        ((::geteuid() == 0 ? space.f_bfree : space.f_bavail) == 0 ||
         (space.f_files != 0 && (::geteuid() == 0 ? space.f_ffree : space.f_favail) == 0)))
        return notSaved + "the disk is full; the file is as it was";
#endif
    return notSaved + "the cause is unknown; the file is as it was";
}
