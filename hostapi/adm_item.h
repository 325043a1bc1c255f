// "ADM Item Suite": the items of ADM dialogs.
//
// The plug-in sets and reads item texts, limits the text item's length,
// reaches the lists of its pop-up items, attaches notify procedures (calling
// the default notification for the buttons, which closes the dialog) and the
// draw procedure of its preview, and invalidates the preview so that ADM
// paints it again.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMItemSuite[] = "ADM Item Suite";
inline constexpr int32_t kADMItemSuiteVersion = 7;

extern "C" {

// The dialog that holds `item`.
typedef ADMDialogRef(HOST_CALL* ADMItemGetDialogProc)(ADMItemRef item);
// The item's id in its dialog resource.
typedef int32_t(HOST_CALL* ADMItemGetIDProc)(ADMItemRef item);
// Sets the item's text (NUL-terminated, code page 932).
typedef void(HOST_CALL* ADMItemSetTextProc)(ADMItemRef item, const char* text);
// Copies the item's text into `text` (`bufferSize` bytes): at most
// bufferSize - 1 bytes and a NUL.
typedef void(HOST_CALL* ADMItemGetTextProc)(ADMItemRef item, char* text, int32_t bufferSize);
// Limits how many bytes the user can type into a text item.
typedef void(HOST_CALL* ADMItemSetMaxTextLengthProc)(ADMItemRef item, int32_t length);
// The item's integer value (a check box's state, a slider's position).
typedef int32_t(HOST_CALL* ADMItemGetIntValueProc)(ADMItemRef item);
typedef void(HOST_CALL* ADMItemSetIntValueProc)(ADMItemRef item, int32_t value);
// The entries of a list or pop-up item; null for other kinds.
typedef ADMListRef(HOST_CALL* ADMItemGetListProc)(ADMItemRef item);
// Replaces the item's notify procedure (null: the default one).
typedef void(HOST_CALL* ADMItemSetNotifyProcProc)(ADMItemRef item, ADMItemNotifyProc proc);
// What ADM does on its own for the notification: a default or cancel button
// closes its modal dialog with the button's id.
typedef void(HOST_CALL* ADMItemDefaultNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
// Replaces the item's draw procedure (null: the default one).
typedef void(HOST_CALL* ADMItemSetDrawProcProc)(ADMItemRef item, ADMItemDrawProc proc);
// What ADM paints on its own for the item.
typedef void(HOST_CALL* ADMItemDefaultDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
// Marks the item for painting; ADM calls its draw procedure soon after.
typedef void(HOST_CALL* ADMItemInvalidateProc)(ADMItemRef item);
// The item's rectangle in its own coordinates: (0, 0) to (width, height).
typedef void(HOST_CALL* ADMItemGetLocalRectProc)(ADMItemRef item, ADMRect* rect);
// Data the plug-in attaches to the item.
typedef ADMUserData(HOST_CALL* ADMItemGetUserDataProc)(ADMItemRef item);
typedef void(HOST_CALL* ADMItemSetUserDataProc)(ADMItemRef item, ADMUserData userData);

}  // extern "C"

struct ADMItemSuite {
    ADMItemGetDialogProc GetDialog;
    ADMItemGetIDProc GetID;
    ADMItemSetTextProc SetText;
    ADMItemGetTextProc GetText;
    ADMItemSetMaxTextLengthProc SetMaxTextLength;
    ADMItemGetIntValueProc GetIntValue;
    ADMItemSetIntValueProc SetIntValue;
    ADMItemGetListProc GetList;
    ADMItemSetNotifyProcProc SetNotifyProc;
    ADMItemDefaultNotifyProc DefaultNotify;
    ADMItemSetDrawProcProc SetDrawProc;
    ADMItemDefaultDrawProc DefaultDraw;
    ADMItemInvalidateProc Invalidate;
    ADMItemGetLocalRectProc GetLocalRect;
    ADMItemGetUserDataProc GetUserData;
    ADMItemSetUserDataProc SetUserData;
};
