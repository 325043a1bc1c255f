// The plug-in's filter: its menu item "ＱＲコード..." in the category "Orvelk"
// of the host's filter menu, enabled by the host while a document is open.
#pragma once

#include "contract/filter_action.h"
#include "hostapi/sp_basic.h"

// Adds the filter with its category and title as length-prefixed strings,
// keeps the filter's handle in the globals record, and lets the host enable
// its menu item while a document is open. Returns the first host error, "S!Fd"
// when the filter or menu suite is not held, or 0.
ASErr AddQRFilter(SPMessageData* message);
