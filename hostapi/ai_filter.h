// "AI Filter Suite" and the filter messages.
//
// The plug-in adds its one filter at startup, which puts a menu item into the
// host's filter menu under a category. Choosing the item sends "AI Filter" /
// "AI Get Parameters" (the plug-in shows its settings dialog), then, unless
// that returned an error, "AI Filter" / "AI Go" (the plug-in draws).
#pragma once

#include "hostapi/ai_menu.h"
#include "hostapi/host_types.h"
#include "hostapi/sp_basic.h"

inline constexpr char kAIFilterSuite[] = "AI Filter Suite";
inline constexpr ASInt32 kAIFilterSuiteVersion = 2;

inline constexpr char kAIFilterCaller[] = "AI Filter";
inline constexpr char kAIFilterGetParametersSelector[] = "AI Get Parameters";
inline constexpr char kAIFilterGoSelector[] = "AI Go";

// A filter added by a plug-in.
typedef struct AIFilter* AIFilterHandle;

// A platform handle a plug-in may fill at "AI Get Parameters"; the host hands
// it back at "AI Go". The plug-in keeps its settings in its globals and
// leaves it alone.
typedef void* PlatformFilterParameters;

#include "hostapi/pack_begin.h"

// Where the filter's menu item goes. Both strings are length-prefixed: one
// length byte (0 to 255), then that many bytes in code page 932, no NUL.
struct AIPlatformAddFilterData {
    const unsigned char* category;  // the submenu of the filter menu
    const unsigned char* title;     // the item itself
};

// Record of the "AI Filter" messages.
struct AIFilterMessage {
    SPMessageData d;
    AIFilterHandle filter;                // the filter the message is for
    PlatformFilterParameters parameters;  // the plug-in's own, untouched
};

#include "hostapi/pack_end.h"

extern "C" {

// Adds the filter `name` for the plug-in `self` with its menu placement and
// `options` (0: none); the new filter's handle goes to *filter.
typedef ASErr(HOST_CALL* AIAddFilterProc)(SPPluginRef self, const char* name,
                                          const AIPlatformAddFilterData* data, ASInt32 options,
                                          AIFilterHandle* filter);
// The menu item of a filter.
typedef ASErr(HOST_CALL* AIGetFilterMenuItemProc)(AIFilterHandle filter,
                                                  AIMenuItemHandle* menuItem);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has ten entries).
struct AIFilterSuite {
    /*  0 */ AIAddFilterProc AddFilter;
    /*  1 */ HostUnusedSlot GetFilterName;
    /*  2 */ HostUnusedSlot GetFilterOptions;
    /*  3 */ HostUnusedSlot SetFilterOptions;
    /*  4 */ HostUnusedSlot GetFilterParameters;
    /*  5 */ HostUnusedSlot SetFilterParameters;
    /*  6 */ AIGetFilterMenuItemProc GetFilterMenuItem;
};

#include "hostapi/pack_end.h"
