#include "standin/suites/adm/adm_suites.h"

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/suites/adm/suite_calls.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

ADMItemRef HOST_CALL DialogGetItem(ADMDialogRef ref, ASInt32 itemID) {
    AdmDialog* dialog = FromRef(ref);
    AdmItem* item = nullptr;
    if (dialog != nullptr) {
        // The aliases of the default and the cancel button.
        if (itemID == kADMDefaultItemID)
            item = DefaultButtonOf(dialog);
        else
            item = FindItem(dialog, itemID == kADMCancelItemID ? kCancelButtonID : itemID);
    }
    return item != nullptr ? RefOf(item) : nullptr;
}

ADMUserData HOST_CALL DialogGetUserData(ADMDialogRef ref) {
    AdmDialog* dialog = FromRef(ref);
    return dialog != nullptr ? dialog->userData : nullptr;
}

void HOST_CALL DialogSetUserData(ADMDialogRef ref, ADMUserData userData) {
    if (AdmDialog* dialog = FromRef(ref)) dialog->userData = userData;
}

ASBoolean HOST_CALL DialogEndModal(ADMDialogRef ref, ASInt32 resultID, ASBoolean /*cancelling*/) {
    // No entry of the stand-in's dialogs validates its text: ending never
    // fails for a live dialog.
    if (FromRef(ref) == nullptr) return kASFalse;
    EndModalDialog(ref, resultID);
    return kASTrue;
}

}  // namespace

const ADMDialogSuite* StandinADMDialogSuite() {
    static const ADMDialogSuite suite = [] {
        ADMDialogSuite s = TrappedSuite<ADMDialogSuite>(kADMDialogSuiteVersion);
        s.Modal = RunModalDialog;
        s.SetUserData = DialogSetUserData;
        s.GetUserData = DialogGetUserData;
        s.GetItem = DialogGetItem;
        s.EndModal = DialogEndModal;
        return s;
    }();
    return &suite;
}

}  // namespace standin
