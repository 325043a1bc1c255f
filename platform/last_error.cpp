#include "platform/last_error.h"

#include <cerrno>

#include "platform/win_files.h"

namespace {
thread_local DWORD tLastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError(void) { return tLastError; }

void SetLastError(DWORD code) { tLastError = code; }

DWORD SetLastErrorFromErrno(int error) {
    DWORD code;
    switch (error) {
        case 0: code = ERROR_SUCCESS; break;
        case ENOENT: code = ERROR_FILE_NOT_FOUND; break;
        case ENOTDIR: code = ERROR_PATH_NOT_FOUND; break;
        case EACCES: case EPERM: case EROFS: case EISDIR: code = ERROR_ACCESS_DENIED; break;
        case EBADF: code = ERROR_INVALID_HANDLE; break;
        case ENOMEM: code = ERROR_NOT_ENOUGH_MEMORY; break;
        case ENOSPC: case EDQUOT: code = ERROR_DISK_FULL; break;
        case EEXIST: code = ERROR_ALREADY_EXISTS; break;
        case ENAMETOOLONG: code = ERROR_FILENAME_EXCED_RANGE; break;
        case EINVAL: code = ERROR_INVALID_PARAMETER; break;
        default: code = ERROR_ACCESS_DENIED; break;
    }
    tLastError = code;
    return code;
}
