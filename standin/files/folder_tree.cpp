#include "standin/files/folder_tree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace standin {

bool FolderNames(const std::string& path, std::vector<std::string>* names) {
    names->clear();
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return false;
    int failure = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            failure = errno;
            break;
        }
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names->push_back(name);
    }
    ::closedir(dir);
    errno = failure;
    return failure == 0;
}

bool RemoveFolderTree(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISDIR(info.st_mode)) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    std::vector<std::string> names;
    if (!FolderNames(path, &names)) return false;
    for (const std::string& name : names)
        if (!RemoveFolderTree(path + "/" + name)) return false;
    return ::rmdir(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace standin
