#include "standin/host/module_folder.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace standin {
namespace {

// Whether `name` ends in the module extension ".aip", in any case, after
// something: a name that is the extension alone (".aip") has none.
bool HasModuleExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && dot != 0 && strcasecmp(name.c_str() + dot, ".aip") == 0;
}

// Adds the module files under `folder` to *modules, entering its real
// subfolders. False with the reason in *error when a folder could not be read
// for another reason than a permission refused.
bool Walk(const std::string& folder, std::vector<std::string>* modules, std::string* error) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        if (errno == EACCES || errno == EPERM) return true;
        *error = std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            if (errno != 0) {
                *error = std::strerror(errno);
                ok = false;
            }
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "/" + name;
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            if (!Walk(path, modules, error)) {
                ok = false;
                break;
            }
        } else if (HasModuleExtension(name) && ::stat(path.c_str(), &info) == 0 &&
                   S_ISREG(info.st_mode)) {
            modules->push_back(path);
        }
    }
    ::closedir(dir);
    return ok;
}

}  // namespace

std::vector<std::string> ListModuleFiles(const std::string& folder, std::string* error) {
    error->clear();
    std::vector<std::string> modules;
    std::string top = folder;
    while (top.size() > 1 && top.back() == '/') top.pop_back();
    Walk(top, &modules, error);
    std::sort(modules.begin(), modules.end());
    return modules;
}

bool IsFolder(const std::string& folder) {
    struct stat info;
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ModuleFileName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace standin
