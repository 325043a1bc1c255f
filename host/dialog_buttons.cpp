#include "host/dialog_buttons.h"

#include "host/module_state.h"

namespace {

void HOST_CALL DefaultButtonNotify(ADMItemRef item, ADMNotifierRef notifier) {
    const ADMItemSuite* admItem = gModuleState.admItem;
    if (admItem != nullptr) admItem->DefaultNotify(item, notifier);
}

}  // namespace

void CloseOnDefaultButton(ADMDialogRef dialog) {
    const ADMDialogSuite* admDialog = gModuleState.admDialog;
    const ADMItemSuite* admItem = gModuleState.admItem;
    if (admDialog == nullptr || admItem == nullptr) return;
    ADMItemRef ok = admDialog->GetItem(dialog, kADMDefaultItemID);
    if (ok != nullptr) admItem->SetNotifyProc(ok, DefaultButtonNotify);
}
