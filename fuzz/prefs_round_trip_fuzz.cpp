// A save and a load of any settings and any text give back what was saved:
// the text byte for byte (every byte but NUL, up to the full field), the
// settings in range as they were.
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

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
    FuzzedDataProvider input(data, size);
    ConsumeSettings(input, &gGlobals);
    std::string text = input.ConsumeRemainingBytesAsString();
    text = text.substr(0, std::strlen(text.c_str()));  // up to a NUL
    if (text.size() > static_cast<size_t>(kMaxGlobalsTextLength))
        text.resize(kMaxGlobalsTextLength);
    std::memcpy(gGlobals.text, text.c_str(), text.size() + 1);
    const PluginGlobals saved = gGlobals;
    FUZZ_CHECK(SavePreferences() == 0, "a save into a usable folder");

    SetDefaultGlobals(&gGlobals);
    gGlobals.level = (saved.level + 1) % kLevelIndexCount;
    gGlobals.version = (saved.version + 1) % (kVersionSettingMax + 1);
    std::strcpy(gGlobals.text, "something else");
    FUZZ_CHECK(LoadPreferences() == 0, "the saved file loads");
    FUZZ_CHECK(gGlobals.level == saved.level && gGlobals.version == saved.version &&
                   gGlobals.mode == saved.mode && gGlobals.moduleSize == saved.moduleSize,
               "the settings come back");
    // An empty text writes no chunk, and the load keeps the text it had.
    if (!text.empty())
        FUZZ_CHECK(std::strcmp(gGlobals.text, saved.text) == 0, "the text comes back");
    return 0;
}
