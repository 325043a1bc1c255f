// The stand-in's "AI Filter Suite" and "AI Menu Suite": the filters that
// plug-ins add, each with its item in the filter menu, and the automatic
// enabling of those items by the state of the documents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/ai_filter.h"
#include "hostapi/ai_menu.h"

namespace standin {

// A filter's menu item and the rule the plug-in gave for enabling it.
struct FilterMenuItem {
    bool automatic = false;  // UpdateMenuItemAutomatically was called
    int32_t action = 0;      // kAutoEnableMenuItemAction or kAutoCheckMenuItemAction
    int32_t artInDocument = 0, artNotInDocument = 0;
    int32_t artSelected = 0, artNotSelected = 0;
    int32_t conditionsTrue = 0, conditionsFalse = 0;
};

struct Filter {
    SPPluginRef plugin = nullptr;
    std::string name;
    std::string category;  // code page 932, as the length-prefixed string held it
    std::string title;     // code page 932
    int32_t options = 0;
    FilterMenuItem menuItem;
    // What the plug-in left in its message at "AI Get Parameters", handed
    // back at "AI Go".
    PlatformFilterParameters parameters = nullptr;
};

// The suites, as the registry serves them.
const AIFilterSuite* StandinFilterSuite();
const AIMenuSuite* StandinMenuSuite();

// The filters in the order they were added.
std::vector<const Filter*> Filters();

// The handle the plug-in holds for `filter`.
AIFilterHandle FilterHandle(const Filter* filter);

// Whether the filter's menu item is enabled now. The enabling rule is judged
// on the conditions the host knows: kIfOpenDocument (among the conditions
// that must be true: a document is open; among those that must be false:
// none is). Art criteria and other conditions are kept but not judged. An
// item without a rule, or with a rule that checks rather than enables, is
// enabled.
bool IsFilterEnabled(const Filter& filter);

// Runs the filter as the user choosing its menu item: "AI Filter" / "AI Get
// Parameters", then, if that returned 0, "AI Filter" / "AI Go". Returns the
// first non-zero result, or 0. A disabled item does nothing and gives "Parm"
// (the user cannot choose it), as does a plug-in that is not started.
ASErr RunFilter(const Filter* filter);

// The two messages of a filter run on their own: "AI Filter" / "AI Get
// Parameters" (the plug-in asks the user, 0 to go on, "STOP" when the user
// cancelled) and "AI Filter" / "AI Go" (the plug-in does its work with the
// parameters it holds, as the host's "apply the last filter again" does).
// Both give "Parm" for a disabled item or a plug-in that is not started.
ASErr SendFilterGetParameters(const Filter* filter);
ASErr SendFilterGo(const Filter* filter);

// Forgets the filters of `plugin`.
void ForgetFiltersOf(SPPluginRef plugin);

// Forgets every filter.
void ResetFilters();

}  // namespace standin
