#include "standin/suites/filter_menu/filters.h"

#include <algorithm>
#include <memory>

#include "standin/suites/document/documents.h"
#include "standin/host/plugins.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

std::vector<std::unique_ptr<Filter>>& List() {
    static std::vector<std::unique_ptr<Filter>> filters;
    return filters;
}

Filter* FromHandle(AIFilterHandle handle) {
    for (const auto& f : List())
        if (FilterHandle(f.get()) == handle) return f.get();
    return nullptr;
}

// A filter's menu item is the menu item record inside the filter.
AIMenuItemHandle MenuItemHandle(Filter* filter) {
    return reinterpret_cast<AIMenuItemHandle>(&filter->menuItem);
}

FilterMenuItem* MenuItemFromHandle(AIMenuItemHandle handle) {
    for (const auto& f : List())
        if (MenuItemHandle(f.get()) == handle) return &f->menuItem;
    return nullptr;
}

// The bytes of a length-prefixed string.
std::string FromLengthPrefixed(const unsigned char* text) {
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

ASErr HOST_CALL AddFilter(SPPluginRef self, const char* name, const AIPlatformAddFilterData* data,
                          ASInt32 options, AIFilterHandle* filter) {
    if (filter == nullptr) return kSPBadParameterError;
    *filter = nullptr;
    if (FindPlugin(self) == nullptr || name == nullptr || data == nullptr ||
        data->category == nullptr || data->title == nullptr)
        return kSPBadParameterError;
    auto added = std::make_unique<Filter>();
    added->plugin = self;
    added->name = name;
    added->category = FromLengthPrefixed(data->category);
    added->title = FromLengthPrefixed(data->title);
    added->options = options;
    *filter = FilterHandle(added.get());
    List().push_back(std::move(added));
    ForgetOnRemoval(ForgetFiltersOf);
    return kSPNoError;
}

ASErr HOST_CALL GetFilterMenuItem(AIFilterHandle handle, AIMenuItemHandle* menuItem) {
    if (menuItem == nullptr) return kSPBadParameterError;
    *menuItem = nullptr;
    Filter* filter = FromHandle(handle);
    if (filter == nullptr) return kSPBadParameterError;
    *menuItem = MenuItemHandle(filter);
    return kSPNoError;
}

ASErr HOST_CALL UpdateMenuItemAutomatically(AIMenuItemHandle handle, int32_t action,
                                            int32_t artInDocument, int32_t artNotInDocument,
                                            int32_t artSelected, int32_t artNotSelected,
                                            int32_t conditionsTrue, int32_t conditionsFalse) {
    FilterMenuItem* item = MenuItemFromHandle(handle);
    if (item == nullptr ||
        (action != kAutoEnableMenuItemAction && action != kAutoCheckMenuItemAction))
        return kSPBadParameterError;
    item->automatic = true;
    item->action = action;
    item->artInDocument = artInDocument;
    item->artNotInDocument = artNotInDocument;
    item->artSelected = artSelected;
    item->artNotSelected = artNotSelected;
    item->conditionsTrue = conditionsTrue;
    item->conditionsFalse = conditionsFalse;
    return kSPNoError;
}

}  // namespace

const AIFilterSuite* StandinFilterSuite() {
    static const AIFilterSuite suite = [] {
        AIFilterSuite s = TrappedSuite<AIFilterSuite>(kAIFilterSuiteVersion);
        s.AddFilter = AddFilter;
        s.GetFilterMenuItem = GetFilterMenuItem;
        return s;
    }();
    return &suite;
}

const AIMenuSuite* StandinMenuSuite() {
    static const AIMenuSuite suite = [] {
        AIMenuSuite s = TrappedSuite<AIMenuSuite>(kAIMenuSuiteVersion);
        s.UpdateMenuItemAutomatically = UpdateMenuItemAutomatically;
        return s;
    }();
    return &suite;
}

std::vector<const Filter*> Filters() {
    std::vector<const Filter*> filters;
    for (const auto& f : List()) filters.push_back(f.get());
    return filters;
}

AIFilterHandle FilterHandle(const Filter* filter) {
    return reinterpret_cast<AIFilterHandle>(const_cast<Filter*>(filter));
}

bool IsFilterEnabled(const Filter& filter) {
    const FilterMenuItem& item = filter.menuItem;
    if (!item.automatic || item.action != kAutoEnableMenuItemAction) return true;
    const bool open = HasOpenDocument();
    if ((item.conditionsTrue & kIfOpenDocument) != 0 && !open) return false;
    if ((item.conditionsFalse & kIfOpenDocument) != 0 && open) return false;
    return true;
}

namespace {

// Sends the filter message `selector` for `filter` when the user could
// choose its menu item.
ASErr SendFilterMessage(const Filter* filter, const char* selector) {
    if (filter == nullptr || !IsFilterEnabled(*filter)) return kSPBadParameterError;
    Plugin* plugin = FindPlugin(filter->plugin);
    if (plugin == nullptr || plugin->state != Plugin::State::kStarted) return kSPBadParameterError;
    AIFilterMessage message{};
    message.filter = FilterHandle(filter);
    message.parameters = filter->parameters;
    const ASErr result = SendPluginMessage(plugin, kAIFilterCaller, selector, &message.d);
    // The plug-in's parameters, whatever it made of them, come back at "AI Go".
    if (Filter* held = FromHandle(message.filter)) held->parameters = message.parameters;
    return result;
}

}  // namespace

ASErr SendFilterGetParameters(const Filter* filter) {
    return SendFilterMessage(filter, kAIFilterGetParametersSelector);
}

ASErr SendFilterGo(const Filter* filter) {
    return SendFilterMessage(filter, kAIFilterGoSelector);
}

ASErr RunFilter(const Filter* filter) {
    const ASErr result = SendFilterGetParameters(filter);
    if (result != kSPNoError) return result;
    return SendFilterGo(filter);
}

void ForgetFiltersOf(SPPluginRef plugin) {
    auto& list = List();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [plugin](const auto& f) { return f->plugin == plugin; }),
               list.end());
}

void ResetFilters() {
    List().clear();
}

}  // namespace standin
