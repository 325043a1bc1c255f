#include "shell/filter_registration.h"

#include <cassert>

#include "globals/plugin_state.h"
#include "shell/length_prefixed.h"

ASErr AddQRFilter(SPMessageData* message) {
    assert(message != nullptr);
    const AIFilterSuite* filterSuite = gPluginState.filter;
    const AIMenuSuite* menu = gPluginState.menu;
    PluginGlobals* globals = gPluginState.globals;
    assert(globals != nullptr);
    if (filterSuite == nullptr || menu == nullptr) return kSPSuiteNotFoundError;

    unsigned char category[kLengthPrefixedStringSize];
    unsigned char title[kLengthPrefixedStringSize];
    ToLengthPrefixed(kQRFilterCategory, category);
    ToLengthPrefixed(kQRFilterTitle, title);
    const AIPlatformAddFilterData placement = {category, title};

    ASErr error =
        filterSuite->AddFilter(message->self, kQRFilterName, &placement, 0, &globals->filter);
    if (error != kSPNoError) return error;

    AIMenuItemHandle item = nullptr;
    error = filterSuite->GetFilterMenuItem(globals->filter, &item);
    if (error != kSPNoError) return error;

    return menu->UpdateMenuItemAutomatically(item, kAutoEnableMenuItemAction, 0, 0, 0, 0,
                                             kIfOpenDocument, 0);
}
