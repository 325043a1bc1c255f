#include "standin/cli/shared_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#if defined(_WIN32)
#include <filesystem>
#include <system_error>
#endif

#include "standin/cli/options.h"

namespace {

// What a name stands for: an existing regular file (by device and inode
// where the system has inodes), or the name a new file would take (its
// folder resolved), or nothing to compare (standard input or output, a
// device, a pipe, a folder).
struct Identity {
    enum Kind { kNothing, kExisting, kNew } kind = kNothing;
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;  // the resolved folder, a slash and the file's name
};

// The folder part of `path` ("." when it has none) and its file name.
void SplitPath(const std::string& path, std::string* folder, std::string* name) {
    const size_t slash = path.rfind('/');
    *folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    *name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// `folder` with its links, "." and ".." resolved; as it is when it cannot
// be (a folder that is not there: nothing can be written in it anyway).
std::string ResolvedFolder(const std::string& folder) {
#if defined(_WIN32)
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, ec);
    return ec ? folder : resolved.generic_string();
#else
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) return folder;
    std::string text = resolved;
    std::free(resolved);
    return text;
#endif
}

// The resolved name of `path`: its resolved folder and its file name.
std::string ResolvedName(const std::string& path) {
    std::string folder, name;
    SplitPath(path, &folder, &name);
    folder = ResolvedFolder(folder);
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder + name;
}

Identity IdentityOf(const char* path) {
    Identity id;
    if (path == nullptr || *path == '\0' || std::strcmp(path, "-") == 0) return id;
    struct stat st;
    if (::stat(path, &st) == 0) {
        if (!S_ISREG(st.st_mode)) return id;
        id.kind = Identity::kExisting;
        id.device = st.st_dev;
        id.inode = st.st_ino;
#if defined(_WIN32)
        // No inode numbers here: an existing file is told by its name.
        id.name = ResolvedName(path);
#endif
        return id;
    }
    if (errno != ENOENT) return id;  // that write fails on its own
    id.kind = Identity::kNew;
    id.name = ResolvedName(path);
    return id;
}

bool SameFile(const Identity& a, const Identity& b) {
    if (a.kind == Identity::kNothing || a.kind != b.kind) return false;
#if !defined(_WIN32)
    if (a.kind == Identity::kExisting) return a.device == b.device && a.inode == b.inode;
#endif
    return a.name == b.name;
}

// The number n from 1 to `count` whose file in `pattern` has the resolved
// name `name`, when there is one; else 0.
size_t NumberOfName(const PatternFiles& files, const std::string& name) {
    const OutputPattern& pattern = *files.pattern;
    const std::string head = ResolvedName(pattern.head);
    if (name.size() < head.size() + pattern.tail.size() + 1 ||
        name.compare(0, head.size(), head) != 0 || !name.ends_with(pattern.tail))
        return 0;
    const std::string digits =
        name.substr(head.size(), name.size() - head.size() - pattern.tail.size());
    if (digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    const unsigned long long number = std::strtoull(digits.c_str(), nullptr, 10);
    if (number < 1 || number > files.count) return 0;
    // "007" is the file of 7 for a run of three '#' only.
    return PatternFileName(pattern, static_cast<long>(number)) ==
                   pattern.head + digits + pattern.tail
               ? number
               : 0;
}

// The number whose file in `files` is the file `id`, when there is one;
// else 0.
size_t NumberOfFile(const PatternFiles& files, const Identity& id) {
    if (id.kind == Identity::kNothing) return 0;
    // By name: a new file (and, without inodes, an existing one).
    if (const size_t number = NumberOfName(files, id.name); number != 0) return number;
#if !defined(_WIN32)
    // An existing file may be a pattern's file under another name (a link).
    // One stat a line, nothing more: a batch of many lines starts at once.
    if (id.kind == Identity::kExisting) {
        struct stat st;
        for (size_t n = 1; n <= files.count; ++n)
            if (::stat(PatternFileName(*files.pattern, static_cast<long>(n)).c_str(), &st) == 0 &&
                st.st_dev == id.device && st.st_ino == id.inode)
                return n;
    }
#endif
    return 0;
}

// What a run would do to one file named twice: two outputs (`bothWritten`)
// or an output and an input.
const char* Consequence(bool bothWritten) {
    return bothWritten ? "one would replace the other; give each its own"
                       : "the run would replace what it reads; give another";
}

}  // namespace

int RefuseSharedFiles(const std::vector<NamedFile>& files, const char* command, FILE* err,
                      const PatternFiles* pattern) {
    std::vector<Identity> ids;
    size_t given = 0;
    for (const NamedFile& file : files)
        given += file.path != nullptr && std::strcmp(file.path, "-") != 0 ? 1 : 0;
    if (given < (pattern != nullptr ? 1u : 2u)) return -1;  // nothing to compare
    for (const NamedFile& file : files) ids.push_back(IdentityOf(file.path));
    for (size_t i = 0; i < files.size(); ++i) {
        for (size_t j = i + 1; j < files.size(); ++j)
            if ((files[i].written || files[j].written) && SameFile(ids[i], ids[j])) {
                PrintError(err, command, "%s '%s' and %s '%s' are the same file: %s",
                           files[i].option, files[i].path, files[j].option, files[j].path,
                           Consequence(files[i].written && files[j].written));
                return kExitUsage;
            }
        if (pattern == nullptr) continue;
        if (const size_t number = NumberOfFile(*pattern, ids[i]); number != 0) {
            PrintError(err, command, "%s '%s' is the file of line %zu of -o '%s': %s",
                       files[i].option, files[i].path, number, pattern->given,
                       Consequence(files[i].written));
            return kExitUsage;
        }
    }
    return -1;
}
