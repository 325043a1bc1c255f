#include "standin/host/user_app_folder.h"

#include <stdlib.h>
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

// Where the installed folder lies from the executable's folder.
constexpr char kInstalledSubpath[] = "../share/orvelk";

// The folder of the user's data under a base folder.
constexpr char kUserSubfolder[] = "orvelk";

// The table file under an application folder, in native form: the engine's
// subpath without its leading backslash, its backslashes made slashes.
fs::path TableSubpath() {
    std::string subpath = kTableFileSubpath + 1;
    std::replace(subpath.begin(), subpath.end(), '\\', '/');
    return subpath;
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
void RelinkWhenDangling(const fs::path& link, const fs::path& source) {
    struct stat info;
    if (::lstat(link.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return;
    if (::stat(link.c_str(), &info) == 0 || errno != ENOENT) return;
    if (::stat(source.c_str(), &info) != 0) return;
    const fs::path fresh =
        link.parent_path() / (".orvelk-link-" + std::to_string(static_cast<long>(::getpid())));
    if (::symlink(source.c_str(), fresh.c_str()) != 0) return;
    if (::rename(fresh.c_str(), link.c_str()) != 0) ::unlink(fresh.c_str());
}

// The links of an existing user's folder that lead nowhere, pointed at the
// installed modules and table file of the same names.
void RelinkDanglingLinks(const fs::path& folder, const fs::path& installed) {
    std::error_code ec;
    for (const fs::directory_entry& module : fs::directory_iterator(installed / "Plug-ins", ec))
        RelinkWhenDangling(folder / "Plug-ins" / module.path().filename(), module.path());
    RelinkWhenDangling(folder / TableSubpath(), installed / TableSubpath());
}

}  // namespace

std::string InstalledAppFolder() {
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = (executable.parent_path() / kInstalledSubpath).lexically_normal();
        if (fs::is_directory(installed / "Plug-ins", ec)) {
            std::string folder = installed.string();
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            return folder;
        }
    }
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
    if (fs::exists(fs::symlink_status(folder, ec))) {
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
