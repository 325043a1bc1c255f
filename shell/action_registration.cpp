#include "shell/action_registration.h"

#include <cassert>

#include "globals/plugin_state.h"

namespace {

// One parameter of the event: its key, type and display name (code page 932).
struct ActionKeyEntry {
    ActionParamKeyID key;
    ActionParamTypeID type;
    const char* displayName;
};

// The parameters in the order the Actions palette lists them.
constexpr ActionKeyEntry kActionKeys[] = {
    {kActionKeyPlaceX, kActionRealType, "X \x8D\xC0\x95\x57"},  // X 座標
    {kActionKeyPlaceY, kActionRealType, "Y \x8D\xC0\x95\x57"},  // Y 座標
    // エラー処理レベル
    {kActionKeyLevel, kActionIntegerType,
     "\x83\x47\x83\x89\x81\x5B\x8F\x88\x97\x9D\x83\x8C\x83\x78\x83\x8B"},
    {kActionKeyVersion, kActionIntegerType,
     "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93"},  // バージョン
    // エンコードモード
    {kActionKeyMode, kActionIntegerType,
     "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68\x83\x82\x81\x5B\x83\x68"},
    // モジュールサイズ
    {kActionKeyModuleSize, kActionRealType,
     "\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x83\x54\x83\x43\x83\x59"},
    {kActionKeyText, kActionStringType, "\x83\x66\x81\x5B\x83\x5E"},  // データ
};

}  // namespace

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

    for (const ActionKeyEntry& entry : kActionKeys) {
        actions->SetTypeKey(type, entry.key, entry.displayName, entry.type, kASTrue);
    }
    const ASErr error =
        actions->RegisterActionEvent(kQRActionEventName, kQRActionTitle, kQRActionVersion, 0,
                                     nullptr, message->self, QRActionUserData(), type);
    actions->DeleteActionParamType(type);
    return error;
}
