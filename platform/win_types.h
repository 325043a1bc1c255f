// The few Windows types, constants and error codes the plug-in's platform
// calls use, declared for this machine. Layout-compatible with the Windows
// definitions where it matters (32-bit LONG, UINT, BOOL).
#pragma once

#if defined(_WIN32)
// On Windows the system's own declarations hold, and the calls are the
// system's (kernel32, gdi32, user32): nothing of this folder is compiled.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else

#include <cstdint>

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uintptr_t ULONG_PTR;
typedef void* HANDLE;
typedef int HFILE;
typedef DWORD* LPDWORD;
typedef const void* LPCVOID;
typedef struct _OVERLAPPED* LPOVERLAPPED;
typedef const char* LPCSTR;
typedef const char* LPCCH;
typedef void* LPVOID;
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// How the platform library's calls are declared: exported from it.
#ifndef ORVELK_PLATFORM_API
#define ORVELK_PLATFORM_API extern "C" __attribute__((visibility("default")))
#endif

// How the platform library's C++ calls for tests and the stand-in (the
// *_monitor.h headers) are declared.
#ifndef ORVELK_PLATFORM_CXX_API
#define ORVELK_PLATFORM_CXX_API __attribute__((visibility("default")))
#endif

// Other headers (glib's) may have defined them already, with the same values.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define MAX_PATH 260
#define HFILE_ERROR (static_cast<HFILE>(-1))

// _lopen access modes
#define OF_READ 0
#define OF_WRITE 1
#define OF_READWRITE 2

// _llseek origins
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

// MoveFileExA flags
#define MOVEFILE_REPLACE_EXISTING 0x1

// CreateFileA: access, creation disposition, and the failed handle
#define GENERIC_WRITE 0x40000000
#define CREATE_NEW 1
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

// GetLastError codes
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_DISK_FULL 112
#define ERROR_INVALID_NAME 123
#define ERROR_NEGATIVE_SEEK 131
#define ERROR_ALREADY_EXISTS 183
#define ERROR_FILENAME_EXCED_RANGE 206

#endif  // !_WIN32
