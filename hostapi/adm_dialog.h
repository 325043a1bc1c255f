// "ADM Dialog Suite": dialogs built from the plug-in's dialog resources.
//
// The plug-in runs three modal dialogs: the About box, the settings dialog of
// its filter and its error dialog. Each init procedure looks up the dialog's
// items to fill them and to attach notify and draw procedures; the error
// dialog also reads its message from the dialog's user data.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMDialogSuite[] = "ADM Dialog Suite";
inline constexpr int32_t kADMDialogSuiteVersion = 5;

// Dialog styles.
typedef int32_t ADMDialogStyle;
inline constexpr ADMDialogStyle kADMModalDialogStyle = 0;

// The items that close a modal dialog by default: the default button (OK)
// and the cancel button.
inline constexpr int32_t kADMDefaultItemID = 1;
inline constexpr int32_t kADMCancelItemID = 2;

extern "C" {

// Builds dialog resource `dialogID` of the plug-in `self`, calls `initProc`
// (may be null) with `userData` attached, and runs the dialog modally.
// `name` (may be null) names the dialog for the host; `options` 0. Returns the
// id of the item that closed the dialog; not an error code.
typedef int32_t(HOST_CALL* ADMModalProc)(SPPluginRef self, const char* name, int32_t dialogID,
                                         ADMDialogStyle style, ADMDialogInitProc initProc,
                                         ADMUserData userData, int32_t options);
// The item `itemID` of `dialog`; null if there is none.
typedef ADMItemRef(HOST_CALL* ADMGetItemProc)(ADMDialogRef dialog, int32_t itemID);
// The user data of `dialog`.
typedef ADMUserData(HOST_CALL* ADMGetDialogUserDataProc)(ADMDialogRef dialog);
// Replaces the user data of `dialog`.
typedef void(HOST_CALL* ADMSetDialogUserDataProc)(ADMDialogRef dialog, ADMUserData userData);
// Ends the modal run of `dialog`: Modal returns `resultID`.
typedef void(HOST_CALL* ADMEndModalProc)(ADMDialogRef dialog, int32_t resultID,
                                         ASBoolean cancelling);

}  // extern "C"

struct ADMDialogSuite {
    ADMModalProc Modal;
    ADMGetItemProc GetItem;
    ADMGetDialogUserDataProc GetUserData;
    ADMSetDialogUserDataProc SetUserData;
    ADMEndModalProc EndModal;
};
