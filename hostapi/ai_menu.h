// "AI Menu Suite": the host's menu items.
//
// The plug-in asks the host to enable its filter's menu item by itself
// whenever a document is open, so that it never has to track documents.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIMenuSuite[] = "AI Menu Suite";
inline constexpr ASInt32 kAIMenuSuiteVersion = 7;

// A menu item of the host (a filter's item comes from the filter suite).
typedef struct AIMenuItem* AIMenuItemHandle;

// What UpdateMenuItemAutomatically does when its criteria hold: enable the
// item (else disable it), or check it (else uncheck it).
inline constexpr ASInt32 kAutoEnableMenuItemAction = 1;
inline constexpr ASInt32 kAutoCheckMenuItemAction = 2;

// Conditions of the document, as bits of the `conditionsTrue` and
// `conditionsFalse` arguments.
inline constexpr ASInt32 kIfOpenDocument = 0x40;  // a document is open

extern "C" {

// Lets the host enable (or check) `item` whenever all criteria hold. The art
// criteria are masks of art types that must be in the document, must not be,
// must be selected, must not be; the conditions are masks of document
// conditions that must be true and must be false. A criterion of 0 does not
// take part.
typedef ASErr(HOST_CALL* AIUpdateMenuItemAutomaticallyProc)(
    AIMenuItemHandle item, ASInt32 action, ASInt32 artInDocument, ASInt32 artNotInDocument,
    ASInt32 artSelected, ASInt32 artNotSelected, ASInt32 conditionsTrue, ASInt32 conditionsFalse);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 34 entries).
struct AIMenuSuite {
    /*  0 */ HostUnusedSlot AddMenuItem;
    /*  1 */ HostUnusedSlot GetMenuItemName;
    /*  2 */ HostUnusedSlot GetMenuItemOptions;
    /*  3 */ HostUnusedSlot SetMenuItemOptions;
    /*  4 */ HostUnusedSlot GetMenuItemPlugin;
    /*  5 */ HostUnusedSlot CountMenuItems;
    /*  6 */ HostUnusedSlot GetNthMenuItem;
    /*  7 */ HostUnusedSlot GetPlatformMenuItem;
    /*  8 */ AIUpdateMenuItemAutomaticallyProc UpdateMenuItemAutomatically;
};

#include "hostapi/pack_end.h"
