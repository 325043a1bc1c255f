#include "host/filter_registration.h"

#include <cassert>
#include <cstring>

#include "host/module_state.h"

namespace {

// Room for a length-prefixed string: the length byte and up to 255 bytes.
constexpr size_t kLengthPrefixedSize = 256;

// Writes `text` into `out` as a length-prefixed string: its byte length, then
// its bytes, no NUL.
void ToLengthPrefixed(const char* text, unsigned char (&out)[kLengthPrefixedSize]) {
    const size_t length = std::strlen(text);
    assert(length < kLengthPrefixedSize);
    out[0] = static_cast<unsigned char>(length);
    std::memcpy(out + 1, text, length);
}

}  // namespace

ASErr AddQRFilter(SPMessageData* message) {
    assert(message != nullptr);
    const AIFilterSuite* filterSuite = gModuleState.filter;
    const AIMenuSuite* menu = gModuleState.menu;
    PluginGlobals* globals = gModuleState.globals;
    assert(globals != nullptr);
    if (filterSuite == nullptr || menu == nullptr) return kSPSuiteNotFoundError;

    unsigned char category[kLengthPrefixedSize];
    unsigned char title[kLengthPrefixedSize];
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
