#include "host/about_box.h"

#include <cassert>

#include "host/dialog_buttons.h"
#include "host/module_state.h"

namespace {

// The OK button: ADM's own notification closes the dialog.
ASErr HOST_CALL AboutDialogInit(ADMDialogRef dialog) {
    CloseOnDefaultButton(dialog);
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
