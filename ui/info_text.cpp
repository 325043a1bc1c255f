#include "ui/info_text.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "globals/plugin_state.h"
#include "qr/symbol_encoder.h"
#include "ui/dialog_items.h"

namespace {

// The first line, code page 932: "最大文字数： %d文字\r" and, in mixed mode,
// "最大文字数： %d(%d)文字\r".
constexpr char kCapacityFormat[] =
    "\x8D\xC5\x91\xE5\x95\xB6\x8E\x9A\x90\x94\x81\x46 %d\x95\xB6\x8E\x9A\r";
constexpr char kMixedCapacityFormat[] =
    "\x8D\xC5\x91\xE5\x95\xB6\x8E\x9A\x90\x94\x81\x46 %d(%d)\x95\xB6\x8E\x9A\r";
// The second line: "図形サイズ： %g×%gmm\r".
constexpr char kFigureSizeFormat[] =
    "\x90\x7D\x8C\x60\x83\x54\x83\x43\x83\x59\x81\x46 %g\x81\x7E%gmm\r";

}  // namespace

int32_t CharacterCapacity(char levelChar, char modeChar, int32_t version) {
    if (version < 0 || version > kQRMaxVersion) return 0;
    return QRModeCapacity(levelChar, modeChar, version == 0 ? kQRMaxVersion : version).wholeGroups;
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
