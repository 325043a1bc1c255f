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
inline constexpr ASInt32 kADMItemSuiteVersion = 7;

extern "C" {

// Replaces the item's draw procedure (null: the default one).
typedef void(HOST_CALL* ADMItemSetDrawProcProc)(ADMItemRef item, ADMItemDrawProc proc);
// What ADM paints on its own for the item.
typedef void(HOST_CALL* ADMItemDefaultDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
// Replaces the item's notify procedure (null: the default one).
typedef void(HOST_CALL* ADMItemSetNotifyProcProc)(ADMItemRef item, ADMItemNotifyProc proc);
// What ADM does on its own for the notification: the default or cancel
// button of a modal dialog closes it with the button's id.
typedef void(HOST_CALL* ADMItemDefaultNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
// Data the plug-in attaches to the item.
typedef void(HOST_CALL* ADMItemSetUserDataProc)(ADMItemRef item, ADMUserData userData);
typedef ADMUserData(HOST_CALL* ADMItemGetUserDataProc)(ADMItemRef item);
// The item's id in its dialog resource.
typedef ASInt32(HOST_CALL* ADMItemGetIDProc)(ADMItemRef item);
// The dialog that holds `item`.
typedef ADMDialogRef(HOST_CALL* ADMItemGetDialogProc)(ADMItemRef item);
// The entries of a list or pop-up item; null for other kinds.
typedef ADMListRef(HOST_CALL* ADMItemGetListProc)(ADMItemRef item);
// The item's rectangle in its own coordinates: (0, 0) to (width, height).
typedef void(HOST_CALL* ADMItemGetLocalRectProc)(ADMItemRef item, ADMRect* rect);
// Marks the item for painting; ADM calls its draw procedure soon after.
typedef void(HOST_CALL* ADMItemInvalidateProc)(ADMItemRef item);
// Sets the item's text (NUL-terminated, code page 932).
typedef void(HOST_CALL* ADMItemSetTextProc)(ADMItemRef item, const char* text);
// Copies the item's text into `text`, cut to `maxLength` bytes, and a NUL:
// the buffer holds maxLength + 1 bytes.
typedef void(HOST_CALL* ADMItemGetTextProc)(ADMItemRef item, char* text, ASInt32 maxLength);
// The length of the item's text in bytes.
typedef ASInt32(HOST_CALL* ADMItemGetTextLengthProc)(ADMItemRef item);
// Limits how many bytes the user can type into a text item.
typedef void(HOST_CALL* ADMItemSetMaxTextLengthProc)(ADMItemRef item, ASInt32 length);
// The item's integer value (a check box's state, a slider's position).
typedef void(HOST_CALL* ADMItemSetIntValueProc)(ADMItemRef item, ASInt32 value);
typedef ASInt32(HOST_CALL* ADMItemGetIntValueProc)(ADMItemRef item);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 159 entries).
struct ADMItemSuite {
    /* 0 */ HostUnusedSlot Create;
    /* 1 */ HostUnusedSlot Destroy;
    /* 2 */ ADMItemSetDrawProcProc SetDrawProc;
    /* 3 */ HostUnusedSlot GetDrawProc;
    /* 4 */ ADMItemDefaultDrawProc DefaultDraw;
    /* 5 */ HostUnusedSlot SetTrackProc;
    /* 6 */ HostUnusedSlot GetTrackProc;
    /* 7 */ HostUnusedSlot DefaultTrack;
    /* 8 */ HostUnusedSlot SetMask;
    /* 9 */ HostUnusedSlot GetMask;
    /* 10 */ ADMItemSetNotifyProcProc SetNotifyProc;
    /* 11 */ HostUnusedSlot GetNotifyProc;
    /* 12 */ ADMItemDefaultNotifyProc DefaultNotify;
    /* 13 */ HostUnusedSlot SendNotify;
    /* 14 */ HostUnusedSlot SetNotifierData;
    /* 15 */ HostUnusedSlot GetNotifierData;
    /* 16 */ HostUnusedSlot SetDestroyProc;
    /* 17 */ HostUnusedSlot GetDestroyProc;
    /* 18 */ HostUnusedSlot CreateTimer;
    /* 19 */ HostUnusedSlot AbortTimer;
    /* 20 */ ADMItemSetUserDataProc SetUserData;
    /* 21 */ ADMItemGetUserDataProc GetUserData;
    /* 22 */ ADMItemGetIDProc GetID;
    /* 23 */ ADMItemGetDialogProc GetDialog;
    /* 24 */ HostUnusedSlot GetWindowRef;
    /* 25 */ ADMItemGetListProc GetList;
    /* 26 */ HostUnusedSlot GetChildItem;
    /* 27 */ HostUnusedSlot SetPluginRef;
    /* 28 */ HostUnusedSlot GetPluginRef;
    /* 29 */ HostUnusedSlot SetItemType;
    /* 30 */ HostUnusedSlot GetItemType;
    /* 31 */ HostUnusedSlot SetItemStyle;
    /* 32 */ HostUnusedSlot GetItemStyle;
    /* 33 */ HostUnusedSlot Show;
    /* 34 */ HostUnusedSlot IsVisible;
    /* 35 */ HostUnusedSlot Enable;
    /* 36 */ HostUnusedSlot IsEnabled;
    /* 37 */ HostUnusedSlot Activate;
    /* 38 */ HostUnusedSlot IsActive;
    /* 39 */ HostUnusedSlot Known;
    /* 40 */ HostUnusedSlot IsKnown;
    /* 41 */ HostUnusedSlot SetLocalRect;
    /* 42 */ ADMItemGetLocalRectProc GetLocalRect;
    /* 43 */ HostUnusedSlot SetBoundsRect;
    /* 44 */ HostUnusedSlot GetBoundsRect;
    /* 45 */ HostUnusedSlot GetBestSize;
    /* 46 */ HostUnusedSlot Move;
    /* 47 */ HostUnusedSlot Size;
    /* 48 */ HostUnusedSlot LocalToScreenPoint;
    /* 49 */ HostUnusedSlot ScreenToLocalPoint;
    /* 50 */ HostUnusedSlot LocalToScreenRect;
    /* 51 */ HostUnusedSlot ScreenToLocalRect;
    /* 52 */ ADMItemInvalidateProc Invalidate;
    /* 53 */ HostUnusedSlot InvalidateRect;
    /* 54 */ HostUnusedSlot Update;
    /* 55 */ HostUnusedSlot SetCursorID;
    /* 56 */ HostUnusedSlot GetCursorID;
    /* 57 */ HostUnusedSlot SetPictureID;
    /* 58 */ HostUnusedSlot GetPictureID;
    /* 59 */ HostUnusedSlot SetSelectedPictureID;
    /* 60 */ HostUnusedSlot GetSelectedPictureID;
    /* 61 */ HostUnusedSlot SetDisabledPictureID;
    /* 62 */ HostUnusedSlot GetDisabledPictureID;
    /* 63 */ HostUnusedSlot SetTipString;
    /* 64 */ HostUnusedSlot SetTipStringW;
    /* 65 */ HostUnusedSlot GetTipString;
    /* 66 */ HostUnusedSlot GetTipStringW;
    /* 67 */ HostUnusedSlot GetTipStringLength;
    /* 68 */ HostUnusedSlot GetTipStringLengthW;
    /* 69 */ HostUnusedSlot EnableTip;
    /* 70 */ HostUnusedSlot IsTipEnabled;
    /* 71 */ HostUnusedSlot ShowToolTip;
    /* 72 */ HostUnusedSlot HideToolTip;
    /* 73 */ HostUnusedSlot SetFont;
    /* 74 */ HostUnusedSlot GetFont;
    /* 75 */ ADMItemSetTextProc SetText;
    /* 76 */ HostUnusedSlot SetTextW;
    /* 77 */ ADMItemGetTextProc GetText;
    /* 78 */ HostUnusedSlot GetTextW;
    /* 79 */ ADMItemGetTextLengthProc GetTextLength;
    /* 80 */ HostUnusedSlot GetTextLengthW;
    /* 81 */ ADMItemSetMaxTextLengthProc SetMaxTextLength;
    /* 82 */ HostUnusedSlot GetMaxTextLength;
    /* 83 */ HostUnusedSlot SelectAll;
    /* 84 */ HostUnusedSlot SetSelectionRange;
    /* 85 */ HostUnusedSlot GetSelectionRange;
    /* 86 */ HostUnusedSlot SetJustify;
    /* 87 */ HostUnusedSlot GetJustify;
    /* 88 */ HostUnusedSlot SetUnits;
    /* 89 */ HostUnusedSlot GetUnits;
    /* 90 */ HostUnusedSlot SetPrecision;
    /* 91 */ HostUnusedSlot GetPrecision;
    /* 92 */ HostUnusedSlot SetBooleanValue;
    /* 93 */ HostUnusedSlot GetBooleanValue;
    /* 94 */ ADMItemSetIntValueProc SetIntValue;
    /* 95 */ ADMItemGetIntValueProc GetIntValue;
};

#include "hostapi/pack_end.h"
