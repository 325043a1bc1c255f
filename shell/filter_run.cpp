#include "shell/filter_run.h"

#include <cassert>
#include <cmath>
#include <cstring>

#include "art/symbol_art.h"
#include "contract/dialog_ids.h"
#include "globals/plugin_state.h"
#include "platform/win_user.h"
#include "shell/action_registration.h"
#include "ui/settings_dialog.h"

namespace {

// The text buffer of a playback. The host copies a recorded string whole,
// without being told the buffer's size, so the buffer holds the longest text
// the plug-in itself records, one byte more, so that a longer text shows as
// one, and the NUL. A string that is longer still would be the host's fault;
// whatever the buffer holds is read only up to its end.
constexpr int32_t kPlaybackTextSize = kMaxGlobalsTextLength + 2;

// The seven values of a recorded action.
struct ActionParameters {
    ASReal x, y;
    int32_t level, version, mode;
    ASReal moduleSize;
    char text[kPlaybackTextSize];
};

// Reads the action's seven values in the order of its keys. Returns the
// first failed read's error, or 0.
ASErr ReadActionParameters(const AIActionManagerSuite* actions, AIActionParamValueRef value,
                           ActionParameters* p) {
    const ASErr results[] = {
        actions->GetReal(value, kActionKeyPlaceX, &p->x),
        actions->GetReal(value, kActionKeyPlaceY, &p->y),
        actions->GetInteger(value, kActionKeyLevel, &p->level),
        actions->GetInteger(value, kActionKeyVersion, &p->version),
        actions->GetInteger(value, kActionKeyMode, &p->mode),
        actions->GetReal(value, kActionKeyModuleSize, &p->moduleSize),
        actions->GetString(value, kActionKeyText, p->text),
    };
    p->text[kPlaybackTextSize - 1] = '\0';
    for (ASErr result : results)
        if (result != kSPNoError) return result;
    return kSPNoError;
}

// Whether the values can be drawn: indices of their letters, a version the
// engine knows, a finite point, a positive finite module size, a text the
// plug-in could have recorded.
bool PlayableParameters(const ActionParameters& p) {
    return p.level >= 0 && p.level < kLevelIndexCount && p.mode >= 0 && p.mode < kModeIndexCount &&
           p.version >= 0 && p.version <= kVersionSettingMax && std::isfinite(p.x) &&
           std::isfinite(p.y) && std::isfinite(p.moduleSize) && p.moduleSize > 0 &&
           std::strlen(p.text) <= static_cast<size_t>(kMaxGlobalsTextLength);
}

}  // namespace

ASErr HandleGetParameters(AIFilterMessage* message) {
    assert(message != nullptr);
    const PluginGlobals* globals = gPluginState.globals;
    // Without a startup no filter of this plug-in exists.
    if (globals == nullptr || message->filter != globals->filter) return kSPNoError;
    const int32_t closedBy = RunSettingsDialog(message->d.self);
    if (closedBy == kCancelItem) return kCanceledErr;
    if (closedBy == kOkItem) return kSPNoError;
    return closedBy;
}

ASErr HandleGo(AIFilterMessage* /*message*/) {
    // "AI Go" draws whatever the globals hold, for whichever filter.
    if (gPluginState.globals == nullptr) return kSPBadParameterError;
    const ASErr error = GenerateFromSettings();
    if (error == kSPNoError) RecordQRAction(QRActionUserData());
    return error == kFilterEmptyText ? kFilterHostFailure : error;
}

ASErr HandleDoAction(AIActionDoActionMessage* message) {
    assert(message != nullptr);
    if (message->userData != QRActionUserData()) return kSPNoError;
    return PlayQRAction(message);
}

ASErr GenerateFromSettings() {
    const PluginGlobals* globals = gPluginState.globals;
    assert(globals != nullptr);
    if (globals->text[0] == '\0') return kFilterEmptyText;
    const AIDocumentViewSuite* documentView = gPluginState.documentView;
    if (documentView == nullptr) return kSPSuiteNotFoundError;

    // Without a view (no document) there is no place for the symbol.
    ASRealPoint center = {0, 0};
    const ASErr viewError = documentView->GetDocumentViewCenter(nullptr, &center);
    if (viewError != kSPNoError) return viewError;

    // The module size in points, drawn as the double it is; the action
    // records it as a 32-bit real, so a replay of a large symbol may place a
    // coordinate one float step away from this drawing.
    const double moduleSize = ModuleSizePoints(globals->moduleSize);
    const ASErr error = DrawSymbolArt(center.h, center.v, moduleSize, globals->text,
                                      LevelCharFromIndex(globals->level),
                                      ModeCharFromIndex(globals->mode), globals->version);
    if (error != kSPNoError) MessageBeep(MB_OK);
    return error;
}

ASErr RecordQRAction(ActionUserData userData) {
    const PluginGlobals* globals = gPluginState.globals;
    const AIActionManagerSuite* actions = gPluginState.actionManager;
    const AIDocumentViewSuite* documentView = gPluginState.documentView;
    assert(globals != nullptr);
    if (actions == nullptr || documentView == nullptr) return kSPSuiteNotFoundError;
    if (!actions->InRecordMode()) return kSPNoError;

    AIActionParamValueRef value = nullptr;
    actions->NewActionParamValue(&value);
    if (value == nullptr) return kSPNoError;
    // The view's centre is where the symbol just went; without one nothing is
    // recorded, rather than a made-up point.
    ASRealPoint center = {0, 0};
    ASErr error = kSPNoError;
    if (userData == QRActionUserData()) {
        error = documentView->GetDocumentViewCenter(nullptr, &center);
        if (error == kSPNoError) {
            // An action without one of its values could never be played
            // back: a value the host cannot set records nothing.
            const ASErr set[] = {
                actions->SetReal(value, kActionKeyPlaceX, center.h),
                actions->SetReal(value, kActionKeyPlaceY, center.v),
                actions->SetInteger(value, kActionKeyLevel, globals->level),
                actions->SetInteger(value, kActionKeyVersion, globals->version),
                actions->SetInteger(value, kActionKeyMode, globals->mode),
                actions->SetReal(value, kActionKeyModuleSize,
                                 static_cast<ASReal>(ModuleSizePoints(globals->moduleSize))),
                actions->SetString(value, kActionKeyText, globals->text),
            };
            for (ASErr result : set)
                if (error == kSPNoError) error = result;
            if (error == kSPNoError)
                error =
                    actions->RecordActionEvent(kQRActionEventName, kQRActionDialogStatus, value);
        }
    }
    actions->DeleteActionParamValue(value);
    return error;
}

ASErr PlayQRAction(AIActionDoActionMessage* message) {
    assert(message != nullptr);
    if (message->userData != QRActionUserData()) return kSPNoError;
    const AIActionManagerSuite* actions = gPluginState.actionManager;
    if (actions == nullptr) return kSPSuiteNotFoundError;

    ActionParameters p;
    std::memset(&p, 0, sizeof p);
    // A value missing, of another type or out of range draws nothing: its
    // letters, its size or its text would not be what was recorded.
    if (ReadActionParameters(actions, message->param, &p) != kSPNoError || !PlayableParameters(p))
        return kQRActionBadParameters;
    return DrawSymbolArt(p.x, p.y, p.moduleSize, p.text, kLevelIndexLetters[p.level],
                         kModeIndexLetters[p.mode], p.version);
}
