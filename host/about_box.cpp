#include "host/about_box.h"

#include <cassert>

#include "host/module_state.h"

namespace {

// The OK button: ADM's own notification closes the dialog.
void HOST_CALL AboutOkNotify(ADMItemRef item, ADMNotifierRef notifier) {
    const ADMItemSuite* admItem = gModuleState.admItem;
    if (admItem != nullptr) admItem->DefaultNotify(item, notifier);
}

ASErr HOST_CALL AboutDialogInit(ADMDialogRef dialog) {
    const ADMDialogSuite* admDialog = gModuleState.admDialog;
    const ADMItemSuite* admItem = gModuleState.admItem;
    if (admDialog == nullptr || admItem == nullptr) return kSPNoError;
    ADMItemRef ok = admDialog->GetItem(dialog, kADMDefaultItemID);
    if (ok != nullptr) admItem->SetNotifyProc(ok, AboutOkNotify);
    return kSPNoError;
}

}  // namespace

ASErr HandleAbout(SPMessageData* message) {
    assert(message != nullptr);
    const ADMDialogSuite* admDialog = gModuleState.admDialog;
    if (admDialog == nullptr) return kSPSuiteNotFoundError;
    admDialog->Modal(message->self, nullptr, kAboutDialogID, kADMModalDialogStyle, AboutDialogInit,
                     nullptr, 0);
    return kSPNoError;
}
