#include "platform/win_path.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

// Converts `in` between two iconv encodings into `out` (NUL-terminated).
// Both encodings here (UTF-8 and code page 932) write ASCII as itself, so a
// path of ASCII alone is copied without opening a converter.
DWORD Convert(const char* to, const char* from, const char* in, char* out, size_t outSize) {
    const size_t length = std::strlen(in);
    bool ascii = true;
    for (size_t i = 0; i < length && ascii; ++i) ascii = static_cast<unsigned char>(in[i]) < 0x80;
    if (ascii) {
        if (length > outSize - 1) return ERROR_FILENAME_EXCED_RANGE;
        std::memcpy(out, in, length + 1);
        return ERROR_SUCCESS;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return ERROR_INVALID_NAME;
    char* inPtr = const_cast<char*>(in);
    size_t inLeft = std::strlen(in);
    char* outPtr = out;
    size_t outLeft = outSize - 1;  // room for the NUL
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return error == E2BIG ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME;
    *outPtr = '\0';
    return ERROR_SUCCESS;
}

bool HasDrive(const char* p) {
    return ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':';
}

}  // namespace

DWORD WindowsPathToNative(LPCSTR windowsPath, char* out, size_t outSize) {
    if (windowsPath == nullptr || out == nullptr || outSize == 0) return ERROR_INVALID_PARAMETER;
    if (std::strlen(windowsPath) >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    if (HasDrive(windowsPath)) windowsPath += 2;  // every drive is this machine's root
    const DWORD rc = Convert("UTF-8", "CP932", windowsPath, out, outSize);
    if (rc != ERROR_SUCCESS) return rc;
    // After the conversion every 0x5C byte is a real backslash.
    for (char* p = out; *p != '\0'; ++p)
        if (*p == '\\') *p = '/';
    return ERROR_SUCCESS;
}

DWORD NativePathToWindows(const char* nativePath, char* out, size_t outSize) {
    if (nativePath == nullptr || out == nullptr || outSize < 3) return ERROR_INVALID_PARAMETER;
    if (nativePath[0] != '/') return ERROR_INVALID_NAME;
    out[0] = 'C';
    out[1] = ':';
    const DWORD rc = Convert("CP932", "UTF-8", nativePath, out + 2, outSize - 2);
    if (rc != ERROR_SUCCESS) return rc;
    if (std::strlen(out) >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    // Every 0x2F byte is a slash of its own: a second byte of a two-byte
    // character may be 0x5C but is never below 0x40, so none is turned.
    for (char* p = out; *p != '\0'; ++p)
        if (*p == '/') *p = '\\';
    return ERROR_SUCCESS;
}
