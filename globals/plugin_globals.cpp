#include "globals/plugin_globals.h"

#include <cassert>
#include <cstring>

namespace {

static_assert(sizeof kDefaultText <= sizeof PluginGlobals::text);

bool InRange(int32_t index, int32_t count) {
    return index >= 0 && index < count;
}

}  // namespace

void SetDefaultGlobals(PluginGlobals* globals) {
    assert(globals != nullptr);
    std::memset(globals, 0, sizeof *globals);
    globals->filter = nullptr;
    globals->level = kDefaultLevelIndex;
    globals->version = kDefaultVersion;
    globals->mode = kDefaultModeIndex;
    globals->maskSetting = kDefaultMaskSetting;
    globals->moduleSize = kDefaultModuleSizeIndex;
    globals->previewMatrix = nullptr;
    std::memcpy(globals->text, kDefaultText, sizeof kDefaultText);
}

char LevelCharFromIndex(int32_t index) {
    assert(InRange(index, kLevelIndexCount));
    if (!InRange(index, kLevelIndexCount)) return kLevelIndexLetters[kDefaultLevelIndex];
    return kLevelIndexLetters[index];
}

char ModeCharFromIndex(int32_t index) {
    assert(InRange(index, kModeIndexCount));
    if (!InRange(index, kModeIndexCount)) return kModeIndexLetters[kDefaultModeIndex];
    return kModeIndexLetters[index];
}

double ModuleSizeMillimetres(int32_t index) {
    assert(InRange(index, kModuleSizeIndexCount));
    if (!InRange(index, kModuleSizeIndexCount))
        return kModuleSizesMillimetres[kDefaultModuleSizeIndex];
    return kModuleSizesMillimetres[index];
}

double ModuleSizePoints(int32_t index) {
    return ModuleSizeMillimetres(index) / kMillimetresPerPoint;
}
