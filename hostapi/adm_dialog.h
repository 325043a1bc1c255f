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
inline constexpr ASInt32 kADMDialogSuiteVersion = 5;

// Dialog styles (an int-sized enumeration).
typedef int32_t ADMDialogStyle;
inline constexpr ADMDialogStyle kADMModalDialogStyle = 0;

// Aliases that GetItem understands for the dialog's default button and its
// cancel button, whatever their resource ids. They are not resource ids: in a
// dialog resource the default (OK) button is item 1 and Cancel item 2, and
// Modal returns the resource id of the item that closed the dialog.
inline constexpr ASInt32 kADMDefaultItemID = -3;
inline constexpr ASInt32 kADMCancelItemID = -4;

extern "C" {

// Builds dialog resource `dialogID` of the plug-in `self`, calls `initProc`
// (may be null) with `userData` attached, and runs the dialog modally.
// `name` (may be null) names the dialog for the host; `options` 0. Returns the
// id of the item that closed the dialog; not an error code.
typedef ASInt32(HOST_CALL* ADMModalProc)(SPPluginRef self, const char* name, ASInt32 dialogID,
                                         ADMDialogStyle style, ADMDialogInitProc initProc,
                                         ADMUserData userData, ASInt32 options);
// Replaces the user data of `dialog`.
typedef void(HOST_CALL* ADMSetDialogUserDataProc)(ADMDialogRef dialog, ADMUserData userData);
// The user data of `dialog`.
typedef ADMUserData(HOST_CALL* ADMGetDialogUserDataProc)(ADMDialogRef dialog);
// The item `itemID` of `dialog` (or kADMDefaultItemID, kADMCancelItemID);
// null if there is none.
typedef ADMItemRef(HOST_CALL* ADMGetItemProc)(ADMDialogRef dialog, ASInt32 itemID);
// Ends the modal run of `dialog`: Modal returns `resultID`. With `cancelling`
// false the host may refuse (an entry holds invalid text) and return false.
typedef ASBoolean(HOST_CALL* ADMEndModalProc)(ADMDialogRef dialog, ASInt32 resultID,
                                              ASBoolean cancelling);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 90 entries).
struct ADMDialogSuite {
    /* 0 */ HostUnusedSlot Create;
    /* 1 */ ADMModalProc Modal;
    /* 2 */ HostUnusedSlot PopupModal;
    /* 3 */ HostUnusedSlot DisplayAsModal;
    /* 4 */ HostUnusedSlot Destroy;
    /* 5 */ HostUnusedSlot SetDrawProc;
    /* 6 */ HostUnusedSlot GetDrawProc;
    /* 7 */ HostUnusedSlot DefaultDraw;
    /* 8 */ HostUnusedSlot SetTrackProc;
    /* 9 */ HostUnusedSlot GetTrackProc;
    /* 10 */ HostUnusedSlot DefaultTrack;
    /* 11 */ HostUnusedSlot SetMask;
    /* 12 */ HostUnusedSlot GetMask;
    /* 13 */ HostUnusedSlot SetNotifyProc;
    /* 14 */ HostUnusedSlot GetNotifyProc;
    /* 15 */ HostUnusedSlot DefaultNotify;
    /* 16 */ HostUnusedSlot SendNotify;
    /* 17 */ HostUnusedSlot SetNotifierData;
    /* 18 */ HostUnusedSlot GetNotifierData;
    /* 19 */ HostUnusedSlot SetDestroyProc;
    /* 20 */ HostUnusedSlot GetDestroyProc;
    /* 21 */ HostUnusedSlot CreateTimer;
    /* 22 */ HostUnusedSlot AbortTimer;
    /* 23 */ ADMSetDialogUserDataProc SetUserData;
    /* 24 */ ADMGetDialogUserDataProc GetUserData;
    /* 25 */ HostUnusedSlot GetDialogName;
    /* 26 */ HostUnusedSlot GetID;
    /* 27 */ HostUnusedSlot GetPluginRef;
    /* 28 */ HostUnusedSlot GetWindowRef;
    /* 29 */ HostUnusedSlot SetDialogStyle;
    /* 30 */ HostUnusedSlot GetDialogStyle;
    /* 31 */ HostUnusedSlot Show;
    /* 32 */ HostUnusedSlot IsVisible;
    /* 33 */ HostUnusedSlot Enable;
    /* 34 */ HostUnusedSlot IsEnabled;
    /* 35 */ HostUnusedSlot Activate;
    /* 36 */ HostUnusedSlot IsActive;
    /* 37 */ HostUnusedSlot SetLocalRect;
    /* 38 */ HostUnusedSlot GetLocalRect;
    /* 39 */ HostUnusedSlot SetBoundsRect;
    /* 40 */ HostUnusedSlot GetBoundsRect;
    /* 41 */ HostUnusedSlot Move;
    /* 42 */ HostUnusedSlot Size;
    /* 43 */ HostUnusedSlot LocalToScreenPoint;
    /* 44 */ HostUnusedSlot ScreenToLocalPoint;
    /* 45 */ HostUnusedSlot LocalToScreenRect;
    /* 46 */ HostUnusedSlot ScreenToLocalRect;
    /* 47 */ HostUnusedSlot Invalidate;
    /* 48 */ HostUnusedSlot InvalidateRect;
    /* 49 */ HostUnusedSlot Update;
    /* 50 */ HostUnusedSlot SetCursorID;
    /* 51 */ HostUnusedSlot GetCursorID;
    /* 52 */ HostUnusedSlot SetFont;
    /* 53 */ HostUnusedSlot GetFont;
    /* 54 */ HostUnusedSlot SetText;
    /* 55 */ HostUnusedSlot GetText;
    /* 56 */ HostUnusedSlot GetTextLength;
    /* 57 */ HostUnusedSlot SetMinWidth;
    /* 58 */ HostUnusedSlot GetMinWidth;
    /* 59 */ HostUnusedSlot SetMinHeight;
    /* 60 */ HostUnusedSlot GetMinHeight;
    /* 61 */ HostUnusedSlot SetMaxWidth;
    /* 62 */ HostUnusedSlot GetMaxWidth;
    /* 63 */ HostUnusedSlot SetMaxHeight;
    /* 64 */ HostUnusedSlot GetMaxHeight;
    /* 65 */ HostUnusedSlot SetHorizontalIncrement;
    /* 66 */ HostUnusedSlot GetHorizontalIncrement;
    /* 67 */ HostUnusedSlot SetVerticalIncrement;
    /* 68 */ HostUnusedSlot GetVerticalIncrement;
    /* 69 */ ADMGetItemProc GetItem;
    /* 70 */ HostUnusedSlot CreateItem;
    /* 71 */ HostUnusedSlot DestroyItem;
    /* 72 */ HostUnusedSlot GetNextItem;
    /* 73 */ HostUnusedSlot GetPreviousItem;
    /* 74 */ HostUnusedSlot SetDefaultItemID;
    /* 75 */ HostUnusedSlot GetDefaultItemID;
    /* 76 */ HostUnusedSlot SetCancelItemID;
    /* 77 */ HostUnusedSlot GetCancelItemID;
    /* 78 */ ADMEndModalProc EndModal;
};

#include "hostapi/pack_end.h"
