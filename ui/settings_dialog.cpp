#include "ui/settings_dialog.h"

#include <cassert>
#include <cstring>

#include "globals/plugin_state.h"
#include "prefs/preferences_file.h"
#include "ui/dialog_items.h"
#include "ui/dialog_notifications.h"
#include "ui/info_text.h"
#include "ui/preview_matrix.h"
#include "ui/preview_paint.h"
#include "ui/working_buffer.h"

namespace {

// The plug-in's own reference while its dialog runs: the popups' strings are
// read from its resources.
SPPluginRef gDialogSelf = nullptr;

// The notification procedures, in the order they are attached.
struct ItemNotification {
    int32_t itemID;
    ADMItemNotifyProc proc;
};
constexpr ItemNotification kNotifications[] = {
    {kOkItem, OkButtonNotify},
    {kLevelPopupItem, LevelPopupNotify},
    {kVersionPopupItem, VersionPopupNotify},
    {kTextItem, TextItemNotify},
    {kCellSizePopupItem, CellSizePopupNotify},
    {kModePopupItem, ModePopupNotify},
    {kMaskPopupItem, MaskPopupNotify},
};

// The list of popup item `itemID` of `dialog`; null when there is none.
ADMListRef PopupList(ADMDialogRef dialog, int32_t itemID) {
    ADMItemRef item = gPluginState.admDialog->GetItem(dialog, itemID);
    return item != nullptr ? gPluginState.admItem->GetList(item) : nullptr;
}

// Inserts the popup's entries, each with its string, or as a disabled
// separator when its string cannot be read, so that every entry keeps its
// index. An entry the host cannot insert ends the list there: the entries
// after it would sit one place early and show the setting before their own.
void FillPopup(ADMDialogRef dialog, const SettingsPopup& popup) {
    ADMListRef list = PopupList(dialog, popup.itemID);
    if (list == nullptr) return;
    const ADMEntrySuite* admEntry = gPluginState.admEntry;
    for (int32_t i = 0; i < popup.entryCount; ++i) {
        ADMEntryRef entry = gPluginState.admList->InsertEntry(list, i);
        if (entry == nullptr) return;
        char text[kPopupStringSize] = {};
        const ASErr error = gPluginState.admBasic->GetIndexString(gDialogSelf, popup.listBase, i,
                                                                  text, kPopupStringSize);
        text[kPopupStringSize - 1] = '\0';
        if (error == kSPNoError) {
            admEntry->SetText(entry, text);
            admEntry->Enable(entry, kASTrue);
        } else {
            admEntry->MakeSeparator(entry, kASTrue);
            admEntry->Enable(entry, kASFalse);
        }
    }
}

// Selects the entry of the stored setting. A stored index with no entry
// (from an old or edited preferences file) becomes the popup's default, so
// the dialog never shows a setting that does not exist.
void SelectStoredSetting(ADMDialogRef dialog, const SettingsPopup& popup, PluginGlobals* globals) {
    int32_t& field = globals->*popup.field;
    if (field < 0 || field >= popup.entryCount) field = popup.defaultIndex;
    ADMListRef list = PopupList(dialog, popup.itemID);
    if (list == nullptr) return;
    ADMEntryRef entry = gPluginState.admList->IndexEntry(list, field);
    if (entry != nullptr) gPluginState.admEntry->Select(entry, kASTrue);
}

}  // namespace

int32_t RunSettingsDialog(SPPluginRef self) {
    PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr) return kSPBadParameterError;
    if (!SettingsDialogSuitesHeld()) return kSPSuiteNotFoundError;

    auto* matrix =
        static_cast<ModuleMatrix*>(ObtainWorkingBuffer(sizeof(ModuleMatrix), "preview matrix"));
    if (matrix != nullptr) matrix->side = 0;
    globals->previewMatrix = matrix;
    std::memset(globals->infoLine, 0, sizeof globals->infoLine);

    const SPPluginRef outerSelf = gDialogSelf;
    gDialogSelf = self;
    const int32_t closedBy = gPluginState.admDialog->Modal(
        self, nullptr, kSettingsDialogID, kADMModalDialogStyle, SettingsDialogInit, nullptr, 0);
    gDialogSelf = outerSelf;

    globals->previewMatrix = nullptr;
    ReleaseWorkingBuffer(matrix);
    // A failed save keeps the settings in memory; the drawing goes on.
    if (closedBy == kOkItem) SavePreferences();
    return closedBy;
}

ASErr HOST_CALL SettingsDialogInit(ADMDialogRef dialog) {
    PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr || !SettingsDialogSuitesHeld()) return kSPNoError;
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    const ADMItemSuite* admItem = gPluginState.admItem;

    for (const SettingsPopup& popup : kSettingsPopups) FillPopup(dialog, popup);
    for (const SettingsPopup& popup : kSettingsPopups) {
        SelectStoredSetting(dialog, popup, globals);
    }

    ADMItemRef textItem = admDialog->GetItem(dialog, kTextItem);
    if (textItem != nullptr) {
        globals->text[kMaxGlobalsTextLength] = '\0';
        admItem->SetText(textItem, globals->text);
        admItem->SetMaxTextLength(textItem, kMaxGlobalsTextLength);
    }

    for (const ItemNotification& n : kNotifications) {
        ADMItemRef item = admDialog->GetItem(dialog, n.itemID);
        if (item != nullptr) admItem->SetNotifyProc(item, n.proc);
    }
    ADMItemRef preview = admDialog->GetItem(dialog, kPreviewItem);
    if (preview != nullptr) admItem->SetDrawProc(preview, DrawSymbolPreview);

    RegeneratePreviewMatrix();
    RefreshInformationText(dialog);
    return kSPNoError;
}
