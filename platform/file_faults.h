// Fault injection of the platform's file calls, for tests and the host
// stand-in: the k-th use of a call fails as the system would fail it, with a
// Windows error code. Not a Windows call; the plug-in never includes this
// header.
#pragma once

#include "platform/win_types.h"

// The file calls that can be made to fail.
enum class FileCall : int {
    kAny,  // any of those below
    kOpen,              // _lopen
    kCreate,            // _lcreat, CreateFileA
    kRead,              // _lread
    kWrite,             // _lwrite, WriteFile
    kSeek,              // _llseek
    kClose,             // _lclose, CloseHandle (the handle is closed all the same)
    kCreateDirectory,   // CreateDirectoryA
    kDelete,            // DeleteFileA
    kMove,              // MoveFileExA
    kInformation,       // GetFileInformationByHandle
    kCount,
};

// Makes the k-th use of `call` from now on (1 = the next one) fail with
// `error` (ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ...), doing nothing else; the
// uses before and after it succeed. 0 stops failing. Either way the counts of
// FileCallCount start again.
ORVELK_PLATFORM_CXX_API void FailFileCall(unsigned k, DWORD error, FileCall call = FileCall::kAny);

// The uses of `call` since FailFileCall was last called (or since the start).
ORVELK_PLATFORM_CXX_API unsigned FileCallCount(FileCall call = FileCall::kAny);

// Whether the failure set by FailFileCall has happened.
ORVELK_PLATFORM_CXX_API bool FileCallFailed();
