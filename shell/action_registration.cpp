#include "shell/action_registration.h"

#include <cassert>

#include "globals/plugin_state.h"

ASErr RegisterQRAction(SPMessageData* message) {
    assert(message != nullptr);
    const AIActionManagerSuite* actions = gPluginState.actionManager;
    if (actions == nullptr) return kSPSuiteNotFoundError;

    AIActionParamTypeRef type = nullptr;
    actions->NewActionParamType(&type);
    if (type == nullptr || message->self == nullptr) {
        if (type != nullptr) actions->DeleteActionParamType(type);
        return kQRActionNotRegistered;
    }

    for (const QRActionKey& entry : kQRActionKeys) {
        actions->SetTypeKey(type, entry.key, entry.displayName, entry.type, kASTrue);
    }
    const ASErr error =
        actions->RegisterActionEvent(kQRActionEventName, kQRActionTitle, kQRActionVersion, 0,
                                     nullptr, message->self, QRActionUserData(), type);
    actions->DeleteActionParamType(type);
    return error;
}
