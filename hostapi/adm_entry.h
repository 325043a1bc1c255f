// "ADM Entry Suite": single entries of list and pop-up items.
//
// The plug-in sets the text of each pop-up entry, selects the entry of the
// current setting and reads back the index of the one the user chose.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMEntrySuite[] = "ADM Entry Suite";
inline constexpr ASInt32 kADMEntrySuiteVersion = 2;

extern "C" {

// The entry's index in its list.
typedef ASInt32(HOST_CALL* ADMEntryGetIndexProc)(ADMEntryRef entry);
// Selects (non-zero) or deselects the entry.
typedef void(HOST_CALL* ADMEntrySelectProc)(ADMEntryRef entry, ASBoolean select);
// Whether the entry is selected.
typedef ASBoolean(HOST_CALL* ADMEntryIsSelectedProc)(ADMEntryRef entry);
// Enables (non-zero) or disables the entry.
typedef void(HOST_CALL* ADMEntryEnableProc)(ADMEntryRef entry, ASBoolean enable);
// Turns the entry into a separator line (non-zero) or back.
typedef void(HOST_CALL* ADMEntryMakeSeparatorProc)(ADMEntryRef entry, ASBoolean separator);
// Sets the entry's text (NUL-terminated, code page 932).
typedef void(HOST_CALL* ADMEntrySetTextProc)(ADMEntryRef entry, const char* text);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 44 entries).
struct ADMEntrySuite {
    /* 0 */ HostUnusedSlot Create;
    /* 1 */ HostUnusedSlot Destroy;
    /* 2 */ HostUnusedSlot DefaultDraw;
    /* 3 */ HostUnusedSlot DefaultTrack;
    /* 4 */ HostUnusedSlot DefaultNotify;
    /* 5 */ HostUnusedSlot SendNotify;
    /* 6 */ ADMEntryGetIndexProc GetIndex;
    /* 7 */ HostUnusedSlot GetList;
    /* 8 */ HostUnusedSlot SetID;
    /* 9 */ HostUnusedSlot GetID;
    /* 10 */ HostUnusedSlot SetUserData;
    /* 11 */ HostUnusedSlot GetUserData;
    /* 12 */ ADMEntrySelectProc Select;
    /* 13 */ ADMEntryIsSelectedProc IsSelected;
    /* 14 */ HostUnusedSlot MakeInBounds;
    /* 15 */ HostUnusedSlot IsInBounds;
    /* 16 */ ADMEntryEnableProc Enable;
    /* 17 */ HostUnusedSlot IsEnabled;
    /* 18 */ HostUnusedSlot Activate;
    /* 19 */ HostUnusedSlot IsActive;
    /* 20 */ HostUnusedSlot Check;
    /* 21 */ HostUnusedSlot IsChecked;
    /* 22 */ ADMEntryMakeSeparatorProc MakeSeparator;
    /* 23 */ HostUnusedSlot IsSeparator;
    /* 24 */ HostUnusedSlot GetLocalRect;
    /* 25 */ HostUnusedSlot GetBoundsRect;
    /* 26 */ HostUnusedSlot LocalToScreenPoint;
    /* 27 */ HostUnusedSlot ScreenToLocalPoint;
    /* 28 */ HostUnusedSlot LocalToScreenRect;
    /* 29 */ HostUnusedSlot ScreenToLocalRect;
    /* 30 */ HostUnusedSlot Invalidate;
    /* 31 */ HostUnusedSlot InvalidateRect;
    /* 32 */ HostUnusedSlot Update;
    /* 33 */ HostUnusedSlot SetPictureID;
    /* 34 */ HostUnusedSlot GetPictureID;
    /* 35 */ HostUnusedSlot SetSelectedPictureID;
    /* 36 */ HostUnusedSlot GetSelectedPictureID;
    /* 37 */ HostUnusedSlot SetDisabledPictureID;
    /* 38 */ HostUnusedSlot GetDisabledPictureID;
    /* 39 */ ADMEntrySetTextProc SetText;
};

#include "hostapi/pack_end.h"
