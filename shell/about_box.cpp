#include "shell/about_box.h"

#include <cassert>

#include "globals/plugin_state.h"
#include "shell/dialog_buttons.h"

namespace {

// The OK button: ADM's own notification closes the dialog.
ASErr HOST_CALL AboutDialogInit(ADMDialogRef dialog) {
    CloseOnDefaultButton(dialog);
    return kSPNoError;
}

}  // namespace

ASErr HandleAbout(SPMessageData* message) {
    assert(message != nullptr);
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    if (admDialog == nullptr) return kSPSuiteNotFoundError;
    admDialog->Modal(message->self, nullptr, kAboutDialogID, kADMModalDialogStyle, AboutDialogInit,
                     nullptr, 0);
    return kSPNoError;
}
