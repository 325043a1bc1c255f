#include "prefs/app_folder.h"

#include <cassert>
#include <cstring>

#include "host/module_state.h"

namespace {

// Folders and file names of the host's installation, in the order they are
// looked for: the first one the path holds ends the application's folder.
constexpr const char* kFolderPatterns[] = {
    "\\SYSTEM\\",        "\\System\\",        "\\SUPPORT FILES\\", "\\Support Files\\",
    "\\support files\\", "\\ILLUSTRATOR.EXE", "\\Illustrator.exe",
};

// A code page 932 lead byte: the byte after it belongs to the same character.
bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The first occurrence of `pattern` in `path` that begins at a character,
// not at the second byte of a two-byte character; null if there is none.
char* FindAtCharacter(char* path, const char* pattern) {
    const size_t length = std::strlen(pattern);
    for (char* p = path; *p != '\0';) {
        if (std::strncmp(p, pattern, length) == 0) return p;
        p += (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') ? 2 : 1;
    }
    return nullptr;
}

}  // namespace

bool CutAtAppFolderPattern(char* path) {
    assert(path != nullptr);
    for (const char* pattern : kFolderPatterns) {
        char* found = FindAtCharacter(path, pattern);
        if (found != nullptr) {
            *found = '\0';
            return true;
        }
    }
    return false;
}

int32_t FindAppFolder(char* folder) {
    assert(folder != nullptr);
    folder[0] = '\0';
    const AIRuntimeSuite* runtime = gModuleState.runtime;
    if (runtime == nullptr) return kSPSuiteNotFoundError;

    SPPlatformFileSpecification executable;
    std::memset(&executable, 0, sizeof executable);
    const ASErr error = runtime->GetAppFileSpecification(&executable);
    if (error != kSPNoError) return error;

    static_assert(sizeof executable.path == kAppFolderBufferSize);
    std::memcpy(folder, executable.path, kAppFolderBufferSize);
    folder[kAppFolderBufferSize - 1] = '\0';  // a host that filled all 300 bytes
    CutAtAppFolderPattern(folder);
    return kSPNoError;
}
