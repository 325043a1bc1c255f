#include "standin/host/user_app_folder.h"

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "qr/store/table_file.h"
#include "standin/files/folder_tree.h"
#include "standin/files/program_folder.h"
#include "standin/files/temporary_files.h"

#if !defined(ORVELK_DEFAULT_APP_DIR)
#error "ORVELK_DEFAULT_APP_DIR must name the build's application folder"
#endif

namespace {

// Where the installed folder lies under the folder above the executable's.
constexpr char kInstalledSubfolder[] = "share/orvelk";

// The folder of the user's data under a base folder.
constexpr char kUserSubfolder[] = "orvelk";

// The table file under an application folder, in native form: the engine's
// subpath without its leading backslash, its backslashes made slashes.
std::string TableSubpath() {
    std::string subpath = kTableFileSubpath + 1;
    std::replace(subpath.begin(), subpath.end(), '\\', '/');
    return subpath;
}

// What `path` names before its last slash ("" for a name in the root).
std::string ParentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// An absolute value of the environment variable `name`, else empty.
std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// Makes the folder `path` (absolute) and the folders above it that are
// missing, as `mkdir -p` does. False with errno set when one cannot be made
// or a name on the way is not a folder.
bool MakeFolders(const std::string& path) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string step = path.substr(0, at);
        if (::mkdir(step.c_str(), 0777) == 0) continue;
        const int e = errno;
        struct stat info;
        if (e == EEXIST && ::stat(step.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) continue;
        errno = e == EEXIST ? ENOTDIR : e;
        return false;
    }
    return true;
}

// Fills the new folder `staging` with links to what `installed` holds.
bool FillFolder(const std::string& staging, const std::string& installed, std::string* error) {
    const std::string plugins = staging + "/Plug-ins";
    const std::string table = staging + "/" + TableSubpath();
    if (!MakeFolders(plugins) || !MakeFolders(ParentOf(table))) {
        *error = "cannot make '" + staging + "': " + std::strerror(errno);
        return false;
    }
    const std::string modules = installed + "/Plug-ins";
    std::vector<std::string> names;
    if (!standin::FolderNames(modules, &names)) {
        *error = "cannot read the installed plug-ins folder '" + modules + "': " + std::strerror(errno);
        return false;
    }
    int failure = 0;
    for (const std::string& name : names) {
        if (::symlink((modules + "/" + name).c_str(), (plugins + "/" + name).c_str()) != 0) {
            failure = errno;
            break;
        }
    }
    if (failure == 0 && ::symlink((installed + "/" + TableSubpath()).c_str(), table.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        *error = "cannot link the installed files into '" + staging + "': " + std::strerror(failure);
        return false;
    }
    return true;
}

// Points `link`, a link of the user's folder, at `source` again when it
// leads nowhere (the build or installation it was made from was removed)
// and `source` exists. A working link, a file or a missing entry is left as
// it is. The new link replaces the old one in one rename.
void RelinkWhenDangling(const std::string& link, const std::string& source) {
    struct stat info;
    if (::lstat(link.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return;
    if (::stat(link.c_str(), &info) == 0 || errno != ENOENT) return;
    if (::stat(source.c_str(), &info) != 0) return;
    const std::string fresh =
        ParentOf(link) + "/.orvelk-link-" + std::to_string(static_cast<long>(::getpid()));
    if (::symlink(source.c_str(), fresh.c_str()) != 0) return;
    if (::rename(fresh.c_str(), link.c_str()) != 0) ::unlink(fresh.c_str());
}

// The links of an existing user's folder that lead nowhere, pointed at the
// installed modules and table file of the same names. Run at every start of
// a command, so with the system's calls alone rather than the library's
// paths and folder walk, whose first use costs a short command page faults.
void RelinkDanglingLinks(const std::string& folder, const std::string& installed) {
    const std::string modules = installed + "/Plug-ins";
    std::vector<std::string> names;
    standin::FolderNames(modules, &names);  // an unreadable folder mends no module link
    for (const std::string& name : names)
        RelinkWhenDangling(folder + "/Plug-ins/" + name, modules + "/" + name);
    RelinkWhenDangling(folder + "/" + TableSubpath(), installed + "/" + TableSubpath());
}

}  // namespace

std::string InstalledAppFolder() {
    // The program's folder is absolute and has no "." or ".." in it, so the
    // installed folder is found by cutting names off.
    const std::string program = standin::ProgramFolder();
    if (program.empty()) return ORVELK_DEFAULT_APP_DIR;
    const std::string installed =
        ParentOf(program.substr(0, program.size() - 1)) + "/" + kInstalledSubfolder;
    struct stat info;
    if (::stat((installed + "/Plug-ins").c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return installed;
    return ORVELK_DEFAULT_APP_DIR;
}

std::string UserAppFolder(std::string* error) {
    std::string base = AbsoluteVariable("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = AbsoluteVariable("HOME");
        if (!home.empty()) base = home + "/.local/share";
    }
    if (base.empty()) {
        if (error != nullptr)
            *error =
                "no folder of the user's own: neither XDG_DATA_HOME nor HOME names an absolute "
                "folder (give one with --app-folder or ORVELK_APP_FOLDER)";
        return std::string();
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return (base == "/" ? std::string() : base) + "/" + kUserSubfolder;
}

bool MakeUserAppFolder(const std::string& folder, const std::string& installed,
                       std::string* error) {
    std::string why;
    struct stat info;
    if (::lstat(folder.c_str(), &info) == 0) {
        RelinkDanglingLinks(folder, installed);
        return true;
    }
    // The base folder is private to the user, as XDG asks of one made anew.
    const std::string parent = ParentOf(folder);
    const std::string base = parent.empty() ? std::string("/") : parent;
    if (::stat(base.c_str(), &info) != 0) {
        const bool madeBase = MakeFolders(base);
        const int e = errno;
        if (!madeBase || ::chmod(base.c_str(), 0700) != 0) {
            if (error != nullptr)
                *error = "cannot make '" + base + "': " + std::strerror(madeBase ? errno : e);
            return false;
        }
    }
    std::string pattern = (base == "/" ? std::string() : base) + "/.orvelk-new-XXXXXX";
    // An interrupt while it is filled removes it, as it removes the files
    // being written: it is noted before a signal can come.
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &before);
    const bool madeStaging = ::mkdtemp(pattern.data()) != nullptr;
    const int e = errno;
    const int note = madeStaging ? standin::NoteTemporaryFolder(pattern.c_str()) : -1;
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (!madeStaging) {
        if (error != nullptr)
            *error = "cannot make a folder in '" + base + "': " + std::strerror(e);
        return false;
    }
    const std::string& staging = pattern;
    std::string source = installed;
    while (source.size() > 1 && source.back() == '/') source.pop_back();
    bool made = FillFolder(staging, source, &why);
    if (made && ::rename(staging.c_str(), folder.c_str()) != 0) {
        // Another process made the folder first: that one is used.
        const int e = errno;
        made = e == EEXIST || e == ENOTEMPTY;
        if (!made) why = "cannot make '" + folder + "': " + std::strerror(e);
    }
    standin::RemoveFolderTree(staging);
    standin::ForgetTemporaryFile(note);
    if (!made && error != nullptr) *error = why;
    return made;
}
