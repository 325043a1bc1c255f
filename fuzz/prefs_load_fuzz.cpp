// The preferences loader on any file: what it reads leaves every setting in
// its range and the text within its field, and a file it reads as a whole
// reads the same through the file as from memory.
#include <cstring>
#include <memory>

#include "fuzz/fuzz_support.h"
#include "fuzz/prefs_support.h"
#include "prefs/preferences_file.h"

namespace {
PluginGlobals gGlobals;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallPrefsHost(&gGlobals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 2 * static_cast<size_t>(kPrefsReadLimit)) return -1;
    // From memory, over the defaults.
    auto fromMemory = std::make_unique<PluginGlobals>();
    SetDefaultGlobals(fromMemory.get());
    ApplyPreferencesData(reinterpret_cast<const char*>(data), size, fromMemory.get());
    CheckGlobalsInRange(*fromMemory);

    // Through the file.
    WriteFuzzFile(PrefsFilePath(), data, size);
    SetDefaultGlobals(&gGlobals);
    FUZZ_CHECK(LoadPreferences() == 0, "a regular file loads");
    CheckGlobalsInRange(gGlobals);
    if (size <= static_cast<size_t>(kPrefsReadLimit)) {
        FUZZ_CHECK(gGlobals.level == fromMemory->level && gGlobals.version == fromMemory->version &&
                       gGlobals.mode == fromMemory->mode &&
                       gGlobals.moduleSize == fromMemory->moduleSize &&
                       std::strcmp(gGlobals.text, fromMemory->text) == 0,
                   "the file reads as its bytes do");
    }
    return 0;
}
