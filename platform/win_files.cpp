#include "platform/win_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/file_faults.h"
#include "platform/last_error.h"
#include "platform/win_path.h"

namespace {

// The fault injection of file_faults.h.
struct FileFaults {
    unsigned failAt = 0;  // the use that fails, counted as `call`; 0 for none
    DWORD error = ERROR_SUCCESS;
    FileCall call = FileCall::kAny;
    bool failed = false;
    unsigned counts[static_cast<int>(FileCall::kCount)] = {};
};
FileFaults gFaults;

// Counts a use of `call`; true, with the last error set, when it is the one
// that fails.
bool Injected(FileCall call) {
    const unsigned any = ++gFaults.counts[static_cast<int>(FileCall::kAny)];
    const unsigned own = ++gFaults.counts[static_cast<int>(call)];
    const unsigned counted = gFaults.call == FileCall::kAny ? any : gFaults.call == call ? own : 0;
    if (gFaults.failAt == 0 || counted != gFaults.failAt) return false;
    gFaults.failAt = 0;
    gFaults.failed = true;
    SetLastError(gFaults.error);
    return true;
}

// Maps a Windows path to a native one in `native`; sets the last error and
// returns false when it cannot.
bool MapPath(LPCSTR path, char (&native)[4 * MAX_PATH]) {
    const DWORD rc = WindowsPathToNative(path, native, sizeof native);
    if (rc == ERROR_SUCCESS) return true;
    SetLastError(rc);
    return false;
}

// Sets the last error for `error` (an errno) from a call on the native path
// `native`: a missing name whose folder is missing too is a missing path, as
// Windows tells ERROR_PATH_NOT_FOUND from ERROR_FILE_NOT_FOUND.
void SetLastErrorForPath(int error, const char* native) {
    if (error == ENOENT) {
        const char* slash = std::strrchr(native, '/');
        if (slash != nullptr && slash != native) {
            const std::string folder(native, static_cast<size_t>(slash - native));
            struct stat st;
            if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
                SetLastError(ERROR_PATH_NOT_FOUND);
                return;
            }
        }
    }
    SetLastErrorFromErrno(error);
}

// Whether `native` names a file Windows would call read-only: a regular file
// (not followed through a link) without any write permission bit, as
// GetFileInformationByHandle reports FILE_ATTRIBUTE_READONLY.
bool IsReadOnlyFile(const char* native) {
    struct stat st;
    return ::lstat(native, &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

// Whether `native` names a folder (not followed through a link).
bool IsFolder(const char* native) {
    struct stat st;
    return ::lstat(native, &st) == 0 && S_ISDIR(st.st_mode);
}

// The last error of a read or write that failed with `error` on `file`: a
// handle that is open but not for this access is refused access, as Windows
// refuses it; one that is not open is an invalid handle.
void SetLastErrorForAccess(int error, HFILE file) {
    if (error == EBADF && ::fcntl(file, F_GETFL) != -1) {
        SetLastError(ERROR_ACCESS_DENIED);
        return;
    }
    SetLastErrorFromErrno(error);
}

// Opens a regular file, and nothing else. The open itself does not block
// (a named pipe without a writer would hold a plain open forever), and
// whatever is not a regular file - a folder, a pipe, a device, a socket - is
// closed again and refused with ERROR_ACCESS_DENIED, as Windows refuses to
// open a folder as a file. The handle then blocks as any file handle does.
HFILE OpenNative(const char* native, int flags) {
    const int fd = ::open(native, flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        SetLastErrorForPath(errno, native);  // ENXIO, a pipe without a reader: access denied
        return HFILE_ERROR;
    }
    // The status flags are those just given (F_SETFL leaves the access mode
    // and the creation flags as they are), so they need not be read back.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, flags & ~(O_NONBLOCK | O_CREAT | O_EXCL | O_TRUNC)) != 0) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return HFILE_ERROR;
    }
    return fd;
}

// Gives the file `to` the permission bits, owner and group of the regular
// file `from` when there is one (not following a link). What the process may
// not set stays as it is: the rename goes ahead either way.
void KeepPermissions(const char* from, const char* to) {
    struct stat old;
    if (::lstat(from, &old) != 0 || !S_ISREG(old.st_mode)) return;
    const int fd = ::open(to, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat now;
    if (::fstat(fd, &now) == 0 && S_ISREG(now.st_mode)) {
        if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
            // Set before the bits: a change of owner may clear set-id bits.
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    ::close(fd);
}

// Seconds from 1601 to 1970, the two epochs.
constexpr int64_t kEpochDifference = 11644473600;

FILETIME ToFileTime(int64_t seconds, int64_t nanoseconds) {
    int64_t ticks = (seconds + kEpochDifference) * 10000000 + nanoseconds / 100;
    if (ticks < 0) ticks = 0;  // before 1601
    const auto t = static_cast<uint64_t>(ticks);
    return {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

FILETIME ToFileTime(const struct statx_timestamp& t) { return ToFileTime(t.tv_sec, t.tv_nsec); }

}  // namespace

HFILE _lopen(LPCSTR path, int readWrite) {
    if (Injected(FileCall::kOpen)) return HFILE_ERROR;
    char native[4 * MAX_PATH];
    if (!MapPath(path, native)) return HFILE_ERROR;
    int flags;
    switch (readWrite & 3) {
        case OF_READ: flags = O_RDONLY; break;
        case OF_WRITE: flags = O_WRONLY; break;
        case OF_READWRITE: flags = O_RDWR; break;
        default: SetLastError(ERROR_INVALID_PARAMETER); return HFILE_ERROR;
    }
    return OpenNative(native, flags);
}

HFILE _lcreat(LPCSTR path, int /*attribute*/) {
    if (Injected(FileCall::kCreate)) return HFILE_ERROR;
    char native[4 * MAX_PATH];
    if (!MapPath(path, native)) return HFILE_ERROR;
    return OpenNative(native, O_RDWR | O_CREAT | O_TRUNC);
}

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD /*share*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD disposition, DWORD attributes, HANDLE /*templateFile*/) {
    if (Injected(FileCall::kCreate)) return INVALID_HANDLE_VALUE;
    if (access != GENERIC_WRITE || disposition != CREATE_NEW ||
        (attributes != 0 && attributes != FILE_ATTRIBUTE_NORMAL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    char native[4 * MAX_PATH];
    if (!MapPath(path, native)) return INVALID_HANDLE_VALUE;
    // O_EXCL with O_CREAT fails on any existing name, a link included, and
    // never follows one.
    const int fd = ::open(native, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) {
            SetLastError(ERROR_FILE_EXISTS);
        } else {
            SetLastErrorForPath(errno, native);
        }
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (written != nullptr) *written = 0;
    if (overlapped != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const intptr_t value = reinterpret_cast<intptr_t>(file);
    if (value < 0 || value > INT_MAX) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const UINT done =
        _lwrite(static_cast<HFILE>(value), static_cast<LPCCH>(buffer), static_cast<UINT>(count));
    if (done == static_cast<UINT>(HFILE_ERROR)) return FALSE;
    if (written != nullptr) *written = done;
    return TRUE;
}

BOOL CloseHandle(HANDLE file) {
    const intptr_t value = reinterpret_cast<intptr_t>(file);
    if (value < 0 || value > INT_MAX) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return _lclose(static_cast<HFILE>(value)) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentProcessId(void) { return static_cast<DWORD>(::getpid()); }

UINT _lread(HFILE file, LPVOID buffer, UINT count) {
    if (Injected(FileCall::kRead)) return static_cast<UINT>(HFILE_ERROR);
    auto* p = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::read(file, p + done, count - done);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            SetLastErrorForAccess(errno, file);
            return static_cast<UINT>(HFILE_ERROR);
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

UINT _lwrite(HFILE file, LPCCH buffer, UINT count) {
    if (Injected(FileCall::kWrite)) return static_cast<UINT>(HFILE_ERROR);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::write(file, buffer + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetLastErrorForAccess(errno, file);
            return static_cast<UINT>(HFILE_ERROR);
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

LONG _llseek(HFILE file, LONG offset, int origin) {
    if (Injected(FileCall::kSeek)) return HFILE_ERROR;
    int whence;
    switch (origin) {
        case FILE_BEGIN: whence = SEEK_SET; break;
        case FILE_CURRENT: whence = SEEK_CUR; break;
        case FILE_END: whence = SEEK_END; break;
        default: SetLastError(ERROR_INVALID_PARAMETER); return HFILE_ERROR;
    }
    const off_t pos = ::lseek(file, offset, whence);
    if (pos < 0) {
        // The origin is a valid one: EINVAL is a position before the start,
        // which leaves the pointer where it was.
        if (errno == EINVAL) {
            SetLastError(ERROR_NEGATIVE_SEEK);
        } else {
            SetLastErrorFromErrno(errno);
        }
        return HFILE_ERROR;
    }
    if (pos > LONG_MAX) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    return static_cast<LONG>(pos);
}

HFILE _lclose(HFILE file) {
    const bool injected = Injected(FileCall::kClose);
    if (::close(file) != 0) {
        SetLastErrorFromErrno(errno);
        return HFILE_ERROR;
    }
    if (injected) SetLastError(gFaults.error);  // as when the last write-back fails
    return injected ? HFILE_ERROR : 0;
}

void FailFileCall(unsigned k, DWORD error, FileCall call) {
    gFaults = FileFaults{};
    gFaults.failAt = k;
    gFaults.error = error;
    gFaults.call = call;
}

unsigned FileCallCount(FileCall call) { return gFaults.counts[static_cast<int>(call)]; }

bool FileCallFailed() { return gFaults.failed; }

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES /*attributes*/) {
    if (Injected(FileCall::kCreateDirectory)) return FALSE;
    char native[4 * MAX_PATH];
    if (!MapPath(path, native)) return FALSE;
    if (::mkdir(native, 0777) != 0) {
        SetLastErrorForPath(errno, native);
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR path) {
    if (Injected(FileCall::kDelete)) return FALSE;
    char native[4 * MAX_PATH];
    if (!MapPath(path, native)) return FALSE;
    if (IsReadOnlyFile(native)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(native) != 0) {
        SetLastErrorForPath(errno, native);
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    if (Injected(FileCall::kMove)) return FALSE;
    char nativeFrom[4 * MAX_PATH], nativeTo[4 * MAX_PATH];
    if (!MapPath(from, nativeFrom) || !MapPath(to, nativeTo)) return FALSE;
    const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
    // Replacing is for files: not a folder, either side, and not a file
    // marked read-only.
    if (replace && (IsFolder(nativeFrom) || IsFolder(nativeTo) || IsReadOnlyFile(nativeTo))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (replace) KeepPermissions(nativeTo, nativeFrom);
    const int rc = replace
                       ? ::rename(nativeFrom, nativeTo)
                       : ::renameat2(AT_FDCWD, nativeFrom, AT_FDCWD, nativeTo, RENAME_NOREPLACE);
    if (rc != 0) {
        const int error = errno;
        struct stat st;
        // A source that is there leaves the target's folder as what is missing.
        SetLastErrorForPath(error, ::lstat(nativeFrom, &st) == 0 ? nativeTo : nativeFrom);
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
    if (Injected(FileCall::kInformation)) return FALSE;
    const intptr_t value = reinterpret_cast<intptr_t>(file);
    struct statx st;
    if (value < 0 || value > INT_MAX ||
        ::statx(static_cast<int>(value), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME,
                &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The handle first, then the buffer, as Windows checks them.
    if (info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Windows marks a file for archiving when it is created or written, and
    // nothing here clears the mark.
    DWORD attributes = S_ISDIR(st.stx_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if ((st.stx_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    info->dwFileAttributes = attributes;
    info->ftCreationTime = ToFileTime((st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_ctime);
    info->ftLastAccessTime = ToFileTime(st.stx_atime);
    info->ftLastWriteTime = ToFileTime(st.stx_mtime);
    // Major and minor in the way of the old 32-bit device numbers (12 and 20
    // bits); larger ones fold into them.
    info->dwVolumeSerialNumber = (st.stx_dev_major << 20) ^ st.stx_dev_minor;
    info->nFileSizeHigh = static_cast<DWORD>(st.stx_size >> 32);
    info->nFileSizeLow = static_cast<DWORD>(st.stx_size);
    info->nNumberOfLinks = st.stx_nlink;
    info->nFileIndexHigh = static_cast<DWORD>(st.stx_ino >> 32);
    info->nFileIndexLow = static_cast<DWORD>(st.stx_ino);
    return TRUE;
}

void GetSystemTimeAsFileTime(FILETIME* time) {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    *time = ToFileTime(now.tv_sec, now.tv_nsec);
}
