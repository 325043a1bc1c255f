#include "ui/info_text.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "globals/plugin_state.h"
#include "qr/version_tables.h"
#include "ui/dialog_items.h"

namespace {

// The bits of the mode indicator that leads every segment.
constexpr int32_t kModeIndicatorBits = 4;

// The first line, code page 932: "最大文字数： %d文字\r" and, in mixed mode,
// "最大文字数： %d(%d)文字\r".
constexpr char kCapacityFormat[] =
    "\x8D\xC5\x91\xE5\x95\xB6\x8E\x9A\x90\x94\x81\x46 %d\x95\xB6\x8E\x9A\r";
constexpr char kMixedCapacityFormat[] =
    "\x8D\xC5\x91\xE5\x95\xB6\x8E\x9A\x90\x94\x81\x46 %d(%d)\x95\xB6\x8E\x9A\r";
// The second line: "図形サイズ： %g×%gmm\r".
constexpr char kFigureSizeFormat[] =
    "\x90\x7D\x8C\x60\x83\x54\x83\x43\x83\x59\x81\x46 %g\x81\x7E%gmm\r";

// A mode letter's data mode, with the bits and characters of one whole group
// of its characters.
struct ModeGroup {
    char letter;
    DataMode mode;
    int32_t groupBits;
    int32_t groupChars;
};
constexpr ModeGroup kModeGroups[] = {
    {'N', kModeNumeric, 10, 3},
    {'A', kModeAlphanumeric, 11, 2},
    {'B', kModeByte, 8, 1},
    {'K', kModeKanji, 13, 1},
};

}  // namespace

int32_t CharacterCapacity(char levelChar, char modeChar, int32_t version) {
    const int levelCode = LevelCodeFromChar(levelChar);
    if (version < 0 || version > kMaxVersion) return 0;
    if (version == 0) version = kMaxVersion;
    for (const ModeGroup& group : kModeGroups) {
        if (group.letter != modeChar) continue;
        const int32_t dataBits = DataCapacityBits(levelCode, version) - kModeIndicatorBits;
        const int32_t countBits =
            CountWidthBase(group.mode) + CountWidthIncrements(group.mode)[version];
        assert(dataBits > countBits);
        return (dataBits - countBits) / group.groupBits * group.groupChars;
    }
    return 0;
}

int32_t FormatInformationText(const PluginGlobals* globals, int32_t side, char* text) {
    assert(globals != nullptr && text != nullptr);
    const char level = LevelCharFromIndex(globals->level);
    const char mode = ModeCharFromIndex(globals->mode);
    int length = 0;
    if (mode == 'M') {
        length = std::snprintf(text, kInfoLineSize, kMixedCapacityFormat,
                               CharacterCapacity(level, 'K', globals->version),
                               CharacterCapacity(level, 'B', globals->version));
    } else {
        length = std::snprintf(text, kInfoLineSize, kCapacityFormat,
                               CharacterCapacity(level, mode, globals->version));
    }
    assert(length > 0 && length < kInfoLineSize);
    if (side != 0) {
        const double millimetres =
            (side + 2 * kQuietZoneModules) * ModuleSizeMillimetres(globals->moduleSize);
        length += std::snprintf(text + length, static_cast<size_t>(kInfoLineSize - length),
                                kFigureSizeFormat, millimetres, millimetres);
    }
    // Both lines at their longest take fewer than 60 bytes.
    assert(length < kInfoLineSize);
    return length;
}

void RefreshInformationText(ADMDialogRef dialog) {
    PluginGlobals* globals = gPluginState.globals;
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (globals == nullptr || admDialog == nullptr || admItem == nullptr) return;
    const ModuleMatrix* matrix = globals->previewMatrix;
    char text[kInfoLineSize];
    FormatInformationText(globals, matrix != nullptr ? matrix->side : 0, text);
    if (std::strncmp(text, globals->infoLine, kInfoLineSize) == 0) return;
    ADMItemRef info = admDialog->GetItem(dialog, kInfoTextItem);
    if (info == nullptr) return;
    admItem->SetText(info, text);
    std::memcpy(globals->infoLine, text, kInfoLineSize);
}
