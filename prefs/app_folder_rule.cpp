#include "prefs/app_folder_rule.h"

#include <cassert>
#include <cstring>

#include "sjis/shift_jis.h"

namespace {

// Folders and file names of the host's installation, in the order they are
// looked for: the first one the path holds ends the application's folder.
constexpr const char* kFolderPatterns[] = {
    "\\SYSTEM\\",        "\\System\\",        "\\SUPPORT FILES\\", "\\Support Files\\",
    "\\support files\\", "\\ILLUSTRATOR.EXE", "\\Illustrator.exe",
};

// The first occurrence of `pattern` in `path` that begins at a character,
// not at the second byte of a two-byte character; null if there is none.
char* FindAtCharacter(char* path, const char* pattern) {
    const size_t length = std::strlen(pattern);
    for (char* p = path; *p != '\0'; p += ShiftJisCharLength(p))
        if (std::strncmp(p, pattern, length) == 0) return p;
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
