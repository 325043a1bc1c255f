#include "shell/dialog_buttons.h"

#include "globals/plugin_state.h"

namespace {

void HOST_CALL DefaultButtonNotify(ADMItemRef item, ADMNotifierRef notifier) {
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admItem != nullptr) admItem->DefaultNotify(item, notifier);
}

}  // namespace

void CloseOnDefaultButton(ADMDialogRef dialog) {
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admDialog == nullptr || admItem == nullptr) return;
    ADMItemRef ok = admDialog->GetItem(dialog, kADMDefaultItemID);
    if (ok != nullptr) admItem->SetNotifyProc(ok, DefaultButtonNotify);
}
