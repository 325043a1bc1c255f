// "AI Menu Suite": the host's menu items.
//
// The plug-in asks the host to enable its filter's menu item by itself
// whenever a document is open, so that it never has to track documents.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIMenuSuite[] = "AI Menu Suite";
inline constexpr int32_t kAIMenuSuiteVersion = 7;

// A menu item of the host (a filter's item comes from the filter suite).
typedef struct AIMenuItem* AIMenuItemHandle;

// What UpdateMenuItemAutomatically does when its criteria hold: enable the
// item (else disable it), or check it (else uncheck it).
inline constexpr int32_t kAutoEnableMenuItemAction = 1;
inline constexpr int32_t kAutoCheckMenuItemAction = 2;

// Conditions of the document, as bits of the `conditionsTrue` and
// `conditionsFalse` arguments.
inline constexpr int32_t kIfOpenDocument = 0x40;  // a document is open

extern "C" {

// Lets the host enable (or check) `item` whenever all criteria hold. The art
// criteria are masks of art types that must be in the document, must not be,
// must be selected, must not be; the conditions are masks of document
// conditions that must be true and must be false. A criterion of 0 does not
// take part.
typedef ASErr(HOST_CALL* AIUpdateMenuItemAutomaticallyProc)(
    AIMenuItemHandle item, int32_t action, int32_t artInDocument, int32_t artNotInDocument,
    int32_t artSelected, int32_t artNotSelected, int32_t conditionsTrue, int32_t conditionsFalse);

}  // extern "C"

struct AIMenuSuite {
    AIUpdateMenuItemAutomaticallyProc UpdateMenuItemAutomatically;
};
