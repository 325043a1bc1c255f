#include "standin/host/standin_app_folder.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/win_path.h"
#include "prefs/app_folder_rule.h"
#include "qr/engine_host.h"
#include "qr/store/table_file.h"

#if defined(_WIN32)
#include <filesystem>
#include <system_error>

#include "platform/win_types.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "standin/host/user_app_folder.h"
#endif

namespace {

// The folder chosen by SetStandinAppFolder; empty while none is.
std::string gChosenFolder;

#if !defined(_WIN32)
// The user's own folder once made (or found and its links mended) in this
// process: it is not looked at again.
std::string gMadeUserFolder;

// Makes the user's own folder `folder` (or mends its links) unless this
// process already did and it is still there.
bool MakeUserFolderOnce(const std::string& folder, std::string* why) {
    struct stat st;
    if (folder == gMadeUserFolder && ::lstat(folder.c_str(), &st) == 0) return true;
    if (!MakeUserAppFolder(folder, InstalledAppFolder(), why)) return false;
    gMadeUserFolder = folder;
    return true;
}
#endif

// The longest folder, as a Windows path, under which the plug-in's longest
// file name, the table file's, still fits the reader's path.
constexpr size_t kMaxWindowsFolderLength = kTableFileMaxFolderLength;

#if defined(_WIN32)
// `dir` (UTF-8) made absolute from the current directory, without "." and
// ".." parts or a trailing separator, with backslashes. `dir` itself if the
// current directory is unknown.
std::string AbsoluteFolder(const char* dir) {
    std::error_code ec;
    const std::string_view text(dir);
    const std::filesystem::path given(std::u8string(text.begin(), text.end()));
    const std::filesystem::path p = given.is_absolute() ? given : std::filesystem::absolute(given, ec);
    if (ec) return dir;
    const std::u8string normal = p.lexically_normal().u8string();
    std::string folder(normal.begin(), normal.end());
    const size_t root = p.lexically_normal().root_path().u8string().size();
    while (folder.size() > root && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

std::string ExecutablePath(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path + kStandinExecutableSubpath;
}
#else
// `dir` made absolute from the current directory, without "." and ".." parts,
// repeated slashes or a trailing slash. `dir` itself if the current directory
// is unknown. Every command asks at its start, so this is done by hand rather
// than with the library's paths, whose first use costs a short command page
// faults.
std::string AbsoluteFolder(const char* dir) {
    std::string path;
    if (dir[0] != '/') {
        // An absolute folder needs no look at the current directory.
        std::string current(256, '\0');
        while (::getcwd(current.data(), current.size()) == nullptr) {
            if (errno != ERANGE) return dir;
            current.resize(current.size() * 2);
        }
        path = current.c_str();
        path += '/';
    }
    path += dir;
    // The names in order, "." dropped and ".." taking back the one before (none
    // above the root).
    std::vector<std::string_view> names;
    const std::string_view text(path);
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('/', at), text.size());
        const std::string_view name = text.substr(at, end - at);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    std::string folder;
    for (const std::string_view name : names) {
        folder += '/';
        folder += name;
    }
    return folder.empty() ? std::string("/") : folder;
}

std::string ExecutablePath(const std::string& folder) {
    return (folder == "/" ? std::string() : folder) + kStandinExecutableSubpath;
}
#endif

#if defined(_WIN32)
#define ORVELK_FOLDER_CODE_PAGE "system code page (ANSI)"

// The stand-in's paths are UTF-8; the plug-in's are in the ANSI code page,
// which its file calls read (code page 932 on a Japanese system). A path
// with a character the code page lacks has no Windows form.
DWORD ConvertPath(UINT from, UINT to, const char* path, char* out, size_t outSize) {
    const int wideLength = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (wideLength <= 0) return ERROR_INVALID_NAME;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, path, -1, wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    BOOL* check = to == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = WideCharToMultiByte(to, flags, wide.c_str(), -1, nullptr, 0, nullptr, check);
    if (length <= 0 || usedDefault) return ERROR_INVALID_NAME;
    // A Windows path holds at most MAX_PATH bytes with its terminating NUL.
    if (static_cast<size_t>(length) > outSize || (to != CP_UTF8 && length > MAX_PATH))
        return ERROR_FILENAME_EXCED_RANGE;
    WideCharToMultiByte(to, flags, wide.c_str(), -1, out, length, nullptr, nullptr);
    for (char* c = out; *c != '\0'; ++c)
        if (*c == '/') *c = '\\';
    return ERROR_SUCCESS;
}

DWORD FolderToWindowsPath(const char* utf8, char* out, size_t outSize) {
    return ConvertPath(CP_UTF8, CP_ACP, utf8, out, outSize);
}

DWORD WindowsPathToFolder(const char* windowsPath, char* out, size_t outSize) {
    return ConvertPath(CP_ACP, CP_UTF8, windowsPath, out, outSize);
}
#else
#define ORVELK_FOLDER_CODE_PAGE "code page 932"

DWORD FolderToWindowsPath(const char* native, char* out, size_t outSize) {
    return NativePathToWindows(native, out, outSize);
}

DWORD WindowsPathToFolder(const char* windowsPath, char* out, size_t outSize) {
    return WindowsPathToNative(windowsPath, out, outSize);
}
#endif

// What keeps the plug-in from finding `folder`; empty when nothing does.
std::string FolderProblem(const std::string& folder) {
    const std::string quoted = "application folder '" + folder + "'";
    SPPlatformFileSpecification executable;
    if (FolderToWindowsPath(ExecutablePath(folder).c_str(), executable.path,
                            sizeof executable.path) != ERROR_SUCCESS)
        return quoted +
               " has no Windows form: it must be absolute, have a " ORVELK_FOLDER_CODE_PAGE " form"
               " and be shorter than 260 bytes as a Windows path";
    // What the plug-in will make of it, and where that is on this machine.
    CutAtAppFolderPattern(executable.path);
    if (std::strlen(executable.path) > kMaxWindowsFolderLength)
        return quoted + " is too long: the plug-in's file names under it exceed its path buffer";
    char native[4 * kFileSpecificationSize];
    if (WindowsPathToFolder(executable.path, native, sizeof native) != ERROR_SUCCESS)
        return quoted + " has no Windows form";
    const std::string found = native[0] == '\0' ? std::string("/") : std::string(native);
    if (found != folder)
        return quoted + " would be found as '" + found +
               "': its path holds a name the host's folder rule cuts at"
               " (a System or Support Files folder, the host's executable name) or a backslash";
    return std::string();
}

}  // namespace

std::string StandinDefaultAppFolder() {
#if defined(_WIN32)
    // The build's "app" folder beside the executable's "bin" folder.
    static const std::string folder = [] {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (n == 0) return std::string("app");
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);
        }
        const std::u8string app =
            (std::filesystem::path(path).parent_path().parent_path() / "app").u8string();
        return std::string(app.begin(), app.end());
    }();
    return folder;
#else
    // Made on first use, whoever asks first: a session that never chose a
    // folder finds it whole. A folder that cannot be made is said by
    // ChooseStandinAppFolder and found missing by the checks.
    // Asked for on every message: once made, a folder is not looked at again.
    const std::string folder = UserAppFolder();
    std::string ignored;
    if (!folder.empty()) MakeUserFolderOnce(folder, &ignored);
    return folder;
#endif
}

bool SetStandinAppFolder(const char* dir, std::string* error) {
    if (dir == nullptr) {
        gChosenFolder.clear();
        return true;
    }
    if (*dir == '\0') {
        if (error != nullptr) *error = "the application folder's name is empty";
        return false;
    }
    const std::string folder = AbsoluteFolder(dir);
    const std::string problem = FolderProblem(folder);
    if (!problem.empty()) {
        if (error != nullptr) *error = problem;
        return false;
    }
    gChosenFolder = folder;
    return true;
}

std::string ChosenStandinAppFolder() {
    return gChosenFolder;
}

std::string StandinAppFolder() {
    if (!gChosenFolder.empty()) return gChosenFolder;
    const char* variable = std::getenv(kStandinAppFolderVariable);
    if (variable != nullptr && *variable != '\0') return AbsoluteFolder(variable);
    // No default without a home: ChooseStandinAppFolder says so.
    const std::string folder = StandinDefaultAppFolder();
    return folder.empty() ? folder : AbsoluteFolder(folder.c_str());
}

bool ChooseStandinAppFolder(const char* dir, std::string* error) {
    const std::string earlier = gChosenFolder;
    if (dir != nullptr && !SetStandinAppFolder(dir, error)) return false;
#if !defined(_WIN32)
    // The user's own folder is made on first use; a folder chosen is taken
    // as it is.
    const char* variable = std::getenv(kStandinAppFolderVariable);
    if (gChosenFolder.empty() && (variable == nullptr || *variable == '\0')) {
        std::string why;
        const std::string user = UserAppFolder(&why);
        if (user.empty() || !MakeUserFolderOnce(user, &why)) {
            if (error != nullptr) *error = why;
            return false;
        }
    }
#endif
    if (CheckStandinAppFolder(error)) return true;
    gChosenFolder = earlier;
    return false;
}

bool CheckStandinAppFolder(std::string* error) {
    const std::string problem = FolderProblem(StandinAppFolder());
    if (!problem.empty() && error != nullptr) *error = problem;
    return problem.empty();
}

std::string StandinAppFolderPath(const char* subpath) {
    std::string native = subpath;
#if !defined(_WIN32)
    for (char& c : native)
        if (c == '\\') c = '/';
#endif
    return StandinAppFolder() + native;
}

std::string StandinTableFilePath() {
    return StandinAppFolderPath(kTableFileSubpath);
}

int32_t StandinFindAppFolder(char* folder) {
    SPPlatformFileSpecification executable;
    const ASErr error = StandinAppFileSpecification(&executable);
    static_assert(sizeof executable.path == kAppFolderSize);
    std::memcpy(folder, executable.path, kAppFolderSize);
    folder[kAppFolderSize - 1] = '\0';
    if (error != kSPNoError) return error;
    CutAtAppFolderPattern(folder);
    return kSPNoError;
}

ASErr StandinAppFileSpecification(SPPlatformFileSpecification* file) {
    if (file == nullptr) return kSPBadParameterError;
    // The engine asks at every table read: the last folder's answer is kept.
    struct Answer {
        std::string folder;
        SPPlatformFileSpecification executable;
        bool found = false;
    };
    static Answer last;
    const std::string folder = StandinAppFolder();
    if (!last.found || last.folder != folder) {
        last.found = false;
        std::memset(&last.executable, 0, sizeof last.executable);
        // A folder the plug-in would find elsewhere is no answer at all.
        if (!FolderProblem(folder).empty() ||
            FolderToWindowsPath(ExecutablePath(folder).c_str(), last.executable.path,
                                sizeof last.executable.path) != ERROR_SUCCESS) {
            std::memset(file, 0, sizeof *file);
            return kStandinAppFolderError;
        }
        last.folder = folder;
        last.found = true;
    }
    *file = last.executable;
    return kSPNoError;
}
