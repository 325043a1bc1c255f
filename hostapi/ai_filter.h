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
inline constexpr int32_t kAIFilterSuiteVersion = 2;

inline constexpr char kAIFilterCaller[] = "AI Filter";
inline constexpr char kAIFilterGetParametersSelector[] = "AI Get Parameters";
inline constexpr char kAIFilterGoSelector[] = "AI Go";

// A filter added by a plug-in.
typedef struct AIFilter* AIFilterHandle;

// Where the filter's menu item goes. Both strings are length-prefixed: one
// length byte (0 to 255), then that many bytes in code page 932, no NUL.
struct AIPlatformAddFilterData {
    const unsigned char* category;  // the submenu of the filter menu
    const unsigned char* title;     // the item itself
};

// Record of the "AI Filter" messages.
struct AIFilterMessage {
    SPMessageData d;
    AIFilterHandle filter;  // the filter the message is for
};

extern "C" {

// Adds the filter `name` for the plug-in `self` with its menu placement and
// `options` (0: none); the new filter's handle goes to *filter.
typedef ASErr(HOST_CALL* AIAddFilterProc)(SPPluginRef self, const char* name,
                                          const AIPlatformAddFilterData* data, int32_t options,
                                          AIFilterHandle* filter);
// The menu item of a filter.
typedef ASErr(HOST_CALL* AIGetFilterMenuItemProc)(AIFilterHandle filter,
                                                  AIMenuItemHandle* menuItem);

}  // extern "C"

struct AIFilterSuite {
    AIAddFilterProc AddFilter;
    AIGetFilterMenuItemProc GetFilterMenuItem;
};
