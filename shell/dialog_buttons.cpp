#include "shell/dialog_buttons.h"

#include "globals/plugin_state.h"

namespace {

// The default (OK) button of the plug-in's dialog resources.
constexpr ASInt32 kOkButtonItem = 1;

void HOST_CALL DefaultButtonNotify(ADMItemRef item, ADMNotifierRef notifier) {
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admItem != nullptr) admItem->DefaultNotify(item, notifier);
}

}  // namespace

void CloseOnDefaultButton(ADMDialogRef dialog) {
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admDialog == nullptr || admItem == nullptr) return;
    ADMItemRef ok = admDialog->GetItem(dialog, kOkButtonItem);
    if (ok != nullptr) admItem->SetNotifyProc(ok, DefaultButtonNotify);
}
