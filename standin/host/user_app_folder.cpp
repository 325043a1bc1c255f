#include "standin/host/user_app_folder.h"

#include <stdlib.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "qr/store/table_file.h"

#if !defined(ORVELK_DEFAULT_APP_DIR)
#error "ORVELK_DEFAULT_APP_DIR must name the build's application folder"
#endif

namespace fs = std::filesystem;

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

// Fills the new folder `staging` with links to what `installed` holds.
bool FillFolder(const fs::path& staging, const fs::path& installed, std::string* error) {
    std::error_code ec;
    const fs::path plugins = staging / "Plug-ins";
    const fs::path table = staging / TableSubpath();
    fs::create_directories(plugins, ec);
    if (!ec) fs::create_directories(table.parent_path(), ec);
    if (ec) {
        *error = "cannot make '" + staging.string() + "': " + ec.message();
        return false;
    }
    fs::directory_iterator modules(installed / "Plug-ins", ec);
    if (ec) {
        *error = "cannot read the installed plug-ins folder '" + (installed / "Plug-ins").string() +
                 "': " + ec.message();
        return false;
    }
    for (const fs::directory_entry& module : modules) {
        fs::create_symlink(module.path(), plugins / module.path().filename(), ec);
        if (ec) break;
    }
    if (!ec) fs::create_symlink(installed / TableSubpath(), table, ec);
    if (ec) {
        *error = "cannot link the installed files into '" + staging.string() + "': " + ec.message();
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
    if (DIR* dir = ::opendir(modules.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            RelinkWhenDangling(folder + "/Plug-ins/" + name, modules + "/" + name);
        }
        ::closedir(dir);
    }
    RelinkWhenDangling(folder + "/" + TableSubpath(), installed + "/" + TableSubpath());
}

}  // namespace

std::string InstalledAppFolder() {
    // The kernel's link to the executable: an absolute path without "." or
    // ".." in it, so the installed folder is found by cutting names off.
    std::string executable(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", executable.data(), executable.size());
        if (n <= 0) return ORVELK_DEFAULT_APP_DIR;
        if (static_cast<size_t>(n) < executable.size()) {
            executable.resize(static_cast<size_t>(n));
            break;
        }
        executable.resize(executable.size() * 2);
    }
    if (executable[0] != '/') return ORVELK_DEFAULT_APP_DIR;
    const std::string installed = ParentOf(ParentOf(executable)) + "/" + kInstalledSubfolder;
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
    std::error_code ec;
    struct stat info;
    if (::lstat(folder.c_str(), &info) == 0) {
        RelinkDanglingLinks(folder, installed);
        return true;
    }
    const fs::path target(folder);
    // The base folder is private to the user, as XDG asks of one made anew.
    const fs::path base = target.parent_path();
    if (!fs::exists(base, ec)) {
        fs::create_directories(base, ec);
        if (!ec) fs::permissions(base, fs::perms::owner_all, ec);
        if (ec) {
            if (error != nullptr) *error = "cannot make '" + base.string() + "': " + ec.message();
            return false;
        }
    }
    std::string pattern = (base / ".orvelk-new-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        if (error != nullptr)
            *error = "cannot make a folder in '" + base.string() + "': " + std::strerror(errno);
        return false;
    }
    const fs::path staging(pattern);
    bool made = FillFolder(staging, installed, &why);
    if (made && ::rename(staging.c_str(), target.c_str()) != 0) {
        // Another process made the folder first: that one is used.
        const int e = errno;
        made = e == EEXIST || e == ENOTEMPTY;
        if (!made) why = "cannot make '" + folder + "': " + std::strerror(e);
    }
    fs::remove_all(staging, ec);
    if (!made && error != nullptr) *error = why;
    return made;
}
