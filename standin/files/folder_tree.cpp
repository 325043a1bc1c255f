#include "standin/files/folder_tree.h"

#include <dirent.h>
#include <fcntl.h>
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

namespace {

// How many folders below the one removed RemoveFolderTreeNow enters.
constexpr int kDepthNow = 8;

// Removes the entry `name` of the folder open as `parent`, and, when it is
// a folder, what it holds first, down to `depth` folders. Whether it is
// gone. Async-signal-safe.
bool RemoveEntryNow(int parent, const char* name, int depth) {
    if (::unlinkat(parent, name, 0) == 0 || errno == ENOENT) return true;
    if ((errno != EISDIR && errno != EPERM) || depth < 0) return false;
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return false;
    // Entries removed while the folder is read may hide others from the
    // reading: it is read again from its start until a reading removes
    // nothing.
    alignas(8) char buffer[2048];
    for (bool removed = true; removed;) {
        removed = false;
        ::lseek(folder, 0, SEEK_SET);
        for (ssize_t n; (n = ::getdents64(folder, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                at += entry->d_reclen;
                const char* entryName = entry->d_name;
                if (entryName[0] == '.' &&
                    (entryName[1] == '\0' || (entryName[1] == '.' && entryName[2] == '\0')))
                    continue;
                if (RemoveEntryNow(folder, entryName, depth - 1)) removed = true;
            }
        }
    }
    ::close(folder);
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

}  // namespace

void RemoveFolderTreeNow(const char* path) {
    RemoveEntryNow(AT_FDCWD, path, kDepthNow);
}

}  // namespace standin
