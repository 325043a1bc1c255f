#include "ui/dialog_notifications.h"

#include <cassert>
#include <cstring>

#include "globals/plugin_state.h"
#include "ui/dialog_items.h"
#include "ui/escape_text.h"
#include "ui/info_text.h"
#include "ui/preview_matrix.h"
#include "ui/working_buffer.h"

namespace {

// After a change: the information text of the item's dialog and, when the
// symbol may have changed, the preview drawn again.
void ShowChange(ADMItemRef item, bool symbolChanged) {
    const ADMDialogRef dialog = gPluginState.admItem->GetDialog(item);
    RefreshInformationText(dialog);
    if (!symbolChanged) return;
    ADMItemRef preview = gPluginState.admDialog->GetItem(dialog, kPreviewItem);
    if (preview != nullptr) gPluginState.admItem->Invalidate(preview);
}

// A popup's notification: stores the index of its active entry when it is
// new, and shows the change.
void PopupChanged(ADMItemRef item, SettingsPopupKind kind) {
    PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr || !SettingsDialogSuitesHeld()) return;
    const SettingsPopup& popup = kSettingsPopups[kind];
    ADMListRef list = gPluginState.admItem->GetList(item);
    ADMEntryRef active = list != nullptr ? gPluginState.admList->GetActiveEntry(list) : nullptr;
    if (active == nullptr) return;
    const int32_t index = gPluginState.admEntry->GetIndex(active);
    // Only the popup's own entries are settings.
    if (index < 0 || index >= popup.entryCount) return;
    int32_t& field = globals->*popup.field;
    if (index == field) return;
    field = index;
    RegeneratePreviewMatrix();
    ShowChange(item, popup.changesSymbol);
}

}  // namespace

void HOST_CALL OkButtonNotify(ADMItemRef item, ADMNotifierRef notifier) {
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admItem != nullptr) admItem->DefaultNotify(item, notifier);
}

void HOST_CALL LevelPopupNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PopupChanged(item, kLevelPopup);
}

void HOST_CALL VersionPopupNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PopupChanged(item, kVersionPopup);
}

void HOST_CALL ModePopupNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PopupChanged(item, kModePopup);
}

void HOST_CALL CellSizePopupNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PopupChanged(item, kCellSizePopup);
}

void HOST_CALL MaskPopupNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PopupChanged(item, kMaskPopup);
}

void HOST_CALL TextItemNotify(ADMItemRef item, ADMNotifierRef /*notifier*/) {
    PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr || !SettingsDialogSuitesHeld()) return;
    auto* typed = static_cast<char*>(ObtainWorkingBuffer(kTextBufferSize, "typed text"));
    auto* text = static_cast<char*>(ObtainWorkingBuffer(kTextBufferSize, "translated text"));
    if (typed != nullptr && text != nullptr) {
        // The host cuts the text to the length it is given and adds a NUL.
        gPluginState.admItem->GetText(item, typed, kMaxGlobalsTextLength);
        typed[kMaxGlobalsTextLength] = '\0';
        const size_t length = TranslateEscapes(typed, text);
        assert(length <= static_cast<size_t>(kMaxGlobalsTextLength));
        if (std::strncmp(text, globals->text, kTextBufferSize) != 0) {
            std::memcpy(globals->text, text, length + 1);
            RegeneratePreviewMatrix();
            ShowChange(item, true);
        }
    }
    ReleaseWorkingBuffer(typed);
    ReleaseWorkingBuffer(text);
}
