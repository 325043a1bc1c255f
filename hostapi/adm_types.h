// Handles, records and callbacks that the ADM suites share. ADM is the host's
// dialog manager: it builds dialogs from the plug-in's dialog resources, runs
// them, and calls the plug-in back to set them up, to report item changes and
// to paint user-drawn items.
#pragma once

#include "hostapi/host_types.h"

typedef struct ADMDialog* ADMDialogRef;
typedef struct ADMItem* ADMItemRef;
typedef struct ADMList* ADMListRef;      // the entries of a list or pop-up item
typedef struct ADMEntry* ADMEntryRef;    // one entry of a list
typedef struct ADMDrawer* ADMDrawerRef;  // the painting context of one draw call
typedef struct ADMNotifier* ADMNotifierRef;
// The platform's drawing port behind a drawer: a GDI device context (HDC).
typedef struct ADMPort* ADMPortRef;

// Data a plug-in attaches to a dialog or an item; ADM only keeps it.
typedef void* ADMUserData;

#include "hostapi/pack_begin.h"

// A rectangle in pixels of an item's own coordinates (0, 0 at its top left);
// right and bottom are exclusive. Laid out like the platform's RECT.
struct ADMRect {
    ASInt32 left;
    ASInt32 top;
    ASInt32 right;
    ASInt32 bottom;
};

#include "hostapi/pack_end.h"

extern "C" {

// Called once when a dialog has been built and before it is shown; returns 0
// to show it.
typedef ASErr(HOST_CALL* ADMDialogInitProc)(ADMDialogRef dialog);
// Called when the user has changed or pressed `item`.
typedef void(HOST_CALL* ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
// Called when `item` must be painted.
typedef void(HOST_CALL* ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);

}  // extern "C"
