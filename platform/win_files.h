// The Windows file calls the plug-in makes, over POSIX, with their Windows
// meanings. Paths are Windows paths in code page 932 ("C:\Dir\File.ext"):
// see win_path.h for how they map to this machine's files.
#pragma once

#include "platform/win_types.h"

// On Windows, <windows.h> (through win_types.h) declares all of this.
#if !defined(_WIN32)

// A point in time: 100-nanosecond intervals since 1 January 1601 (UTC).
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

// What GetFileInformationByHandle tells of an open file. The volume serial
// number and the file index together name the file while it exists.
typedef struct _BY_HANDLE_FILE_INFORMATION {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD dwVolumeSerialNumber;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD nNumberOfLinks;
    DWORD nFileIndexHigh;
    DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION;

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

// Opens an existing file (OF_READ, OF_WRITE, OF_READWRITE); HFILE_ERROR if it
// cannot be opened: ERROR_FILE_NOT_FOUND for a missing file in a folder that
// is there, ERROR_PATH_NOT_FOUND when the folder is missing too (so for every
// call here that names a path). Only a regular file opens: a folder, a named
// pipe, a device or a socket fails at once (never waiting for the pipe's
// other end) with ERROR_ACCESS_DENIED. The share modes (OF_SHARE_*) are not
// kept: files here are never locked against other openers.
ORVELK_PLATFORM_API HFILE _lopen(LPCSTR path, int readWrite);

// Creates a file, or truncates an existing one, open for writing; what is
// not a regular file fails as with _lopen.
ORVELK_PLATFORM_API HFILE _lcreat(LPCSTR path, int attribute);

// Opens a file with the Windows access and creation flags. Here only what the
// plug-in uses: GENERIC_WRITE with CREATE_NEW, which creates the file and
// fails with ERROR_FILE_EXISTS when the name is taken by anything at all (a
// file, a folder, a link, even one that leads nowhere): a link is never
// followed and an existing file never opened. Sharing, security and template
// are ignored; attributes other than FILE_ATTRIBUTE_NORMAL are refused.
// Returns INVALID_HANDLE_VALUE on failure.
ORVELK_PLATFORM_API HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share,
                                       LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                       DWORD attributes, HANDLE templateFile);

// Writes `count` bytes from `buffer` to a handle of CreateFileA; the bytes
// written go to *written. `overlapped` must be null. FALSE on failure.
ORVELK_PLATFORM_API BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written,
                                   LPOVERLAPPED overlapped);

// Closes a handle of CreateFileA; FALSE (the handle closed all the same)
// when the file's last bytes could not be written back.
ORVELK_PLATFORM_API BOOL CloseHandle(HANDLE file);

// The calling process's identifier.
ORVELK_PLATFORM_API DWORD GetCurrentProcessId(void);

// Reads up to `count` bytes; returns the number read (0 at the end of the
// file) or (UINT)HFILE_ERROR, with ERROR_ACCESS_DENIED for a file opened
// only for writing and ERROR_INVALID_HANDLE for one not open.
ORVELK_PLATFORM_API UINT _lread(HFILE file, LPVOID buffer, UINT count);

// Writes `count` bytes; returns the number written or (UINT)HFILE_ERROR,
// with ERROR_ACCESS_DENIED for a file opened only for reading.
ORVELK_PLATFORM_API UINT _lwrite(HFILE file, LPCCH buffer, UINT count);

// Moves the file pointer; returns the new offset from the start or
// HFILE_ERROR, with ERROR_NEGATIVE_SEEK (the pointer left where it was) for a
// position before the start.
ORVELK_PLATFORM_API LONG _llseek(HFILE file, LONG offset, int origin);

// Closes the file; returns 0 or HFILE_ERROR.
ORVELK_PLATFORM_API HFILE _lclose(HFILE file);

// Fills `info` for the open file `file`; FALSE with ERROR_INVALID_HANDLE for
// a handle that is not open. As on Windows, a file opened with _lopen is
// passed as (HANDLE)(INT_PTR)hfile. Here the volume serial number is folded
// from the device number and the file index is the inode number; the
// creation time is the birth time where the file system keeps one, else the
// inode's last change; times keep their nanoseconds to the 100.
ORVELK_PLATFORM_API BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);

// The current system time (UTC).
ORVELK_PLATFORM_API void GetSystemTimeAsFileTime(FILETIME* time);

// Creates one directory; FALSE with ERROR_ALREADY_EXISTS if it exists.
ORVELK_PLATFORM_API BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes);

// Deletes a file; FALSE if it cannot: ERROR_ACCESS_DENIED for a folder and
// for a read-only file (one without any write permission bit, which
// GetFileInformationByHandle reports as FILE_ATTRIBUTE_READONLY).
ORVELK_PLATFORM_API BOOL DeleteFileA(LPCSTR path);

// Renames a file; with MOVEFILE_REPLACE_EXISTING an existing target is
// replaced in one step, unless it is read-only or either name is a folder
// (ERROR_ACCESS_DENIED); without it an existing target fails with
// ERROR_ALREADY_EXISTS. Other flags are ignored: a move to another file
// system fails with ERROR_ACCESS_DENIED. Here a regular file so replaced hands its
// permission bits (and its owner and group, where the process may set them)
// on to the file that takes its place, as its security descriptor would
// stay on Windows: rewriting a file the user keeps private keeps it so.
ORVELK_PLATFORM_API BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags);

// The calling thread's last error code, set by the calls above on failure.
ORVELK_PLATFORM_API DWORD GetLastError(void);
ORVELK_PLATFORM_API void SetLastError(DWORD code);

#endif  // !_WIN32
