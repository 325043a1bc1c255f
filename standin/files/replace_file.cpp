#include "standin/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <sys/xattr.h>
#endif
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "standin/files/temporary_files.h"

namespace standin {
namespace {

void SetError(std::string* error, const std::string& text) {
    if (error != nullptr) *error = text;
}

std::string Reason(int err) {
    return std::strerror(err);
}

// A new file written as bytes, created for this writer alone: an existing
// name, a link's included, is never opened.
#ifdef O_BINARY
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
#endif

// What is there already, opened for writing as it is.
#ifdef O_BINARY
constexpr int kWriteIntoFlags = O_WRONLY | O_BINARY;
#else
constexpr int kWriteIntoFlags = O_WRONLY | O_CLOEXEC;
#endif

// Names tried for a temporary file before the write gives up.
constexpr int kTempNameTries = 100;

// A number for temporary names that no other writer of this run uses and
// another process is unlikely to.
unsigned NextTempNumber() {
    static std::atomic<unsigned> counter{0};
    // splitmix64 over eight bytes a thread: a Mersenne twister's 5 KB of
    // state would be set up in every thread's storage, the first one's at
    // every start.
    thread_local uint64_t state =
        (uint64_t{std::random_device{}()} << 32) ^ static_cast<unsigned>(::getpid());
    uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return static_cast<unsigned>(z) ^ (counter.fetch_add(1) * 0x9E3779B9u);
}

// What a temporary name adds to the name it stands beside: ".<8 hex>.tmp".
constexpr size_t kTempSuffixBytes = 13;

// The longest name the folder of `path` takes, in bytes; 255, the common
// limit, where the system does not say.
size_t NameLimitBeside(const std::string& path) {
#if defined(_WIN32)
    (void)path;
    return 255;
#else
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : 255;
#endif
}

// The start of the temporary names beside `path`: `path` itself, or, when
// its name leaves no room for the suffix within the folder's limit, the
// name cut short at a character's start, so that any name the folder takes
// can be written.
std::string TempNameStem(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t nameBytes = path.size() - nameStart;
    const size_t limit = NameLimitBeside(path);
    if (nameBytes + kTempSuffixBytes <= limit) return path;
    size_t keep = limit > kTempSuffixBytes ? limit - kTempSuffixBytes : 0;
    // No UTF-8 character is cut in two.
    while (keep > 0 && (static_cast<unsigned char>(path[nameStart + keep]) & 0xC0) == 0x80) --keep;
    return path.substr(0, nameStart + keep);
}

// Opens a new file beside `path` that did not exist before,
// "<path>.<8 hex digits>.tmp" (of a shortened name for a long one, see
// TempNameStem), created with `mode` (less the umask). Names that are
// taken, by stale files of earlier runs or anything else, are passed over.
// Returns its descriptor, or -1 with the reason in *why.
int OpenTemporary(const std::string& path, int mode, std::string* tempPath, std::string* why) {
    const std::string stem = TempNameStem(path);
    for (int attempt = 0; attempt < kTempNameTries; ++attempt) {
        char number[16];
        std::snprintf(number, sizeof number, ".%08x.tmp", NextTempNumber());
        *tempPath = stem;
        tempPath->append(number);
        const int fd = ::open(tempPath->c_str(), kCreateFlags, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            *why = "cannot write " + path + ": " + Reason(errno);
            return -1;
        }
    }
    *why = "cannot write " + path + ": no free name for a temporary file beside it";
    return -1;
}

// Writes all of `bytes` to `fd`; the system's reason in *err when it cannot.
bool WriteAll(int fd, std::string_view bytes, int* err) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *err = n < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Writes into what is there and is no regular file (a device, a named pipe,
// a terminal), as a program writing to it would: it is not replaced.
bool WriteInto(const std::string& path, std::string_view bytes, std::string* error) {
    const int fd = ::open(path.c_str(), kWriteIntoFlags);
    if (fd < 0) {
        SetError(error, "cannot write " + path + ": " + Reason(errno));
        return false;
    }
    int err = 0;
    bool ok = WriteAll(fd, bytes, &err);
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) SetError(error, "cannot write " + path + ": " + Reason(err));
    return ok;
}

#if !defined(_WIN32)
// Whether the process may write what `path` names, as the kernel judges it:
// it is opened for writing, following a link as the kernel follows one (so
// that its protection of links in shared folders and the permissions of the
// process's effective ids apply, as to a program that writes into the
// file), neither truncated nor waited on, and closed again. A named pipe
// without a reader (ENXIO) is no refusal: it is written into once one
// comes. False with the reason in errno.
bool MayOpenForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENXIO;
    ::close(fd);
    return true;
}

// The extended attribute that holds a file's access control list.
constexpr char kAccessAcl[] = "system.posix_acl_access";

// The value of the extended attribute `name` of `path` (not following a
// link), or of the open file `fd` when `path` is null. False with errno set.
bool ReadAttribute(const char* path, int fd, const char* name, std::string* value) {
    for (;;) {
        const ssize_t size = path != nullptr ? ::lgetxattr(path, name, nullptr, 0)
                                             : ::fgetxattr(fd, name, nullptr, 0);
        if (size < 0) return false;
        value->resize(static_cast<size_t>(size));
        const ssize_t got = path != nullptr ? ::lgetxattr(path, name, value->data(), value->size())
                                            : ::fgetxattr(fd, name, value->data(), value->size());
        if (got >= 0) {
            value->resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;  // it grew in between: read again
    }
}

// Gives the new file `fd` the extended attributes of the file `from`, its
// access control list among them, as a program writing into `from` would
// keep them. An attribute the file system does not take at all (ENOTSUP) is
// passed over, and so is a security label that cannot be set; one the new
// file has already with the same value is left.
// False, with the reason in *err and the attribute in *failedStep, when one
// cannot be read or kept.
bool KeepAttributes(const std::string& from, int fd, int* err, std::string* failedStep) {
    std::string names;
    for (;;) {
        const ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
        if (size >= 0) names.resize(static_cast<size_t>(size));
        const ssize_t got =
            size > 0 ? ::llistxattr(from.c_str(), names.data(), names.size()) : size;
        if (got >= 0) {
            names.resize(static_cast<size_t>(got));
            break;
        }
        if (errno == ENOTSUP) return true;
        if (errno != ERANGE) {
            *err = errno;
            *failedStep = "its extended attributes cannot be read: ";
            return false;
        }
    }
    std::string value, present;
    for (size_t at = 0; at < names.size(); at += std::strlen(names.c_str() + at) + 1) {
        const char* name = names.c_str() + at;
        bool kept = ReadAttribute(from.c_str(), -1, name, &value);
        if (kept && !(ReadAttribute(nullptr, fd, name, &present) && present == value))
            kept = ::fsetxattr(fd, name, value.data(), value.size(), 0) == 0;
        if (kept || errno == ENOTSUP || errno == ENODATA) continue;  // ENODATA: removed meanwhile
        // A security label is the system policy's to give (the folder's
        // label for a new file), not the writer's to keep.
        if (std::strncmp(name, "security.", 9) == 0) continue;
        *err = errno;
        *failedStep = std::strcmp(name, kAccessAcl) == 0
                          ? std::string("its access control list cannot be kept: ")
                          : "its extended attribute " + std::string(name) + " cannot be kept: ";
        return false;
    }
    return true;
}
#endif

// What stands at the name to be written.
struct Target {
    std::string path;    // the file to replace: a link's target, when it is a link
    bool exists = false;
    bool regular = false;
    bool directory = false;
#if !defined(_WIN32)
    struct stat st {};
#endif
};

// Finds what `path` names, following links to the file they lead to, so
// that a link stays and its file is what is written. False, with the reason
// in `error`, for a link that leads nowhere.
bool FindTarget(const std::string& path, Target* target, std::string* error) {
    target->path = path;
#if defined(_WIN32)
    (void)error;  // links are not followed here
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    target->exists = std::filesystem::exists(status);
    target->directory = std::filesystem::is_directory(status);
    target->regular = std::filesystem::is_regular_file(status);
    return true;
#else
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return true;  // a new file
    if (S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            SetError(error, "cannot write " + path + ": it is a link that leads to no file (" +
                                Reason(errno) + ")");
            return false;
        }
        target->path = resolved;
        std::free(resolved);
        if (::stat(target->path.c_str(), &st) != 0) {
            SetError(error, "cannot write " + path + ": " + Reason(errno));
            return false;
        }
    }
    target->exists = true;
    target->st = st;
    target->directory = S_ISDIR(st.st_mode);
    target->regular = S_ISREG(st.st_mode);
    return true;
#endif
}

}  // namespace

bool ReplaceFileWith(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty()) {
        SetError(error, "no file name given");
        return false;
    }
    Target target;
    if (!FindTarget(path, &target, error)) return false;
    if (target.directory) {
        SetError(error, "cannot write " + path + ": " + Reason(EISDIR));
        return false;
    }
    if (target.exists && !target.regular) return WriteInto(path, bytes, error);
#if !defined(_WIN32)
    // A file the process may not write is not replaced either, although the
    // folder would let it: as a program writing into it would be refused.
    // Asked through the name given, so that the kernel judges a link there
    // as it judges one it follows itself (fs.protected_symlinks: another
    // user's link in /tmp), although the rename below replaces the file
    // the link was resolved to here.
    if (target.exists && !MayOpenForWriting(path)) {
        SetError(error, "cannot write " + path + ": " + Reason(errno));
        return false;
    }
#endif

    // A file that replaces another is private until it has the old one's
    // permissions; a new file has the umask's.
    std::string temp, why;
    int fd, note;
    {
        NotingTemporaryFile noting;
        fd = OpenTemporary(target.path, target.exists ? 0600 : 0666, &temp, &why);
        note = fd >= 0 ? NoteTemporaryFile(temp.c_str()) : -1;
    }
    if (fd < 0) {
        SetError(error, why);
        return false;
    }
    int err = 0;
    bool ok = WriteAll(fd, bytes, &err);
    std::string failedStep;  // what could not be done, before the reason
#if !defined(_WIN32)
    if (ok && target.exists) {
        // The old file's owner and group, or no replacement: another user's
        // file does not silently become the caller's. Then its extended
        // attributes (its access control list, whose entries the bits alone
        // would lose), then its bits. All after the bytes, whose writing
        // would clear set-id bits and a program's capabilities.
        if ((target.st.st_uid != ::geteuid() || target.st.st_gid != ::getegid()) &&
            ::fchown(fd, target.st.st_uid, target.st.st_gid) != 0) {
            ok = false;
            err = errno;
            failedStep = "its owner and group cannot be kept: ";
        } else if (!KeepAttributes(target.path, fd, &err, &failedStep)) {
            ok = false;
        } else if (::fchmod(fd, target.st.st_mode & 07777) != 0) {
            ok = false;
            err = errno;
        }
    }
#endif
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        std::remove(temp.c_str());
        ForgetTemporaryFile(note);
        std::string why = "cannot write " + path + ": ";
        why.append(failedStep).append(Reason(err));
        SetError(error, why);
        return false;
    }
#if defined(_WIN32)
    // The library's rename replaces an existing file there (MoveFileEx),
    // which the C runtime's does not.
    std::error_code ec;
    std::filesystem::rename(temp, target.path, ec);
    const std::string renameFailure = ec ? ec.message() : std::string();
#else
    const std::string renameFailure =
        ::rename(temp.c_str(), target.path.c_str()) != 0 ? Reason(errno) : std::string();
#endif
    if (!renameFailure.empty()) {
        std::remove(temp.c_str());
        ForgetTemporaryFile(note);
        SetError(error, "cannot write " + path + ": " + renameFailure);
        return false;
    }
    ForgetTemporaryFile(note);
    return true;
}

bool NamesTerminal(const std::string& path) {
#if defined(_WIN32)
    (void)path;
    return false;
#else
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    // Opened as the write would open it, without becoming the controlling
    // terminal or waiting for a line.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    return terminal;
#endif
}

bool ReadWholeFile(const std::string& path, size_t maxBytes, std::string* bytes,
                   std::string* error) {
    bytes->clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        SetError(error, "cannot read " + path + ": " + Reason(errno));
        return false;
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (bytes->size() + n > maxBytes) {
            std::fclose(f);
            bytes->clear();
            SetError(error, "cannot read " + path + ": larger than " + std::to_string(maxBytes) +
                                " bytes");
            return false;
        }
        bytes->append(buffer, n);
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) {
        bytes->clear();
        SetError(error, "cannot read " + path + ": " + Reason(err != 0 ? err : EIO));
        return false;
    }
    return true;
}

}  // namespace standin
