#include "standin/files/folder_tree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace standin {

bool RemoveFolderTree(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISDIR(info.st_mode)) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return false;
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!RemoveFolderTree(path + "/" + name)) {
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    return ok && (::rmdir(path.c_str()) == 0 || errno == ENOENT);
}

}  // namespace standin
