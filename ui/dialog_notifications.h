// The notification procedures of the settings dialog's items. Each change is
// written into the globals record at once; a change of the symbol's settings
// or of the text encodes the preview matrix again, refreshes the information
// text and has the preview drawn again. A choice or a text equal to the one
// held changes nothing and encodes nothing.
#pragma once

#include "hostapi/adm_types.h"

// Item 1, OK: ADM's default notification, which closes the dialog with 1.
void HOST_CALL OkButtonNotify(ADMItemRef item, ADMNotifierRef notifier);

// The popups: items 5 (level), 7 (version), 9 (mode), 11 (cell size; only the
// information text changes) and 16 (mask). Each stores the index of its
// active entry.
void HOST_CALL LevelPopupNotify(ADMItemRef item, ADMNotifierRef notifier);
void HOST_CALL VersionPopupNotify(ADMItemRef item, ADMNotifierRef notifier);
void HOST_CALL ModePopupNotify(ADMItemRef item, ADMNotifierRef notifier);
void HOST_CALL CellSizePopupNotify(ADMItemRef item, ADMNotifierRef notifier);
void HOST_CALL MaskPopupNotify(ADMItemRef item, ADMNotifierRef notifier);

// Item 13, the text: reads at most 8192 bytes, turns the escapes \r, \n and \t
// into their bytes and stores the result when it differs from the held text.
// Ignored, the held text kept, when its two working buffers cannot be
// obtained.
void HOST_CALL TextItemNotify(ADMItemRef item, ADMNotifierRef notifier);
