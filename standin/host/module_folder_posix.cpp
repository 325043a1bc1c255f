#include "standin/host/module_folder.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "standin/files/folder_tree.h"

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
    std::vector<std::string> names;
    if (!FolderNames(folder, &names)) {
        if (errno == EACCES || errno == EPERM) return true;
        *error = std::strerror(errno);
        return false;
    }
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            if (!Walk(path, modules, error)) return false;
        } else if (HasModuleExtension(name) && ::stat(path.c_str(), &info) == 0 &&
                   S_ISREG(info.st_mode)) {
            modules->push_back(path);
        }
    }
    return true;
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
