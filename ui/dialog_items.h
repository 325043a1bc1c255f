// The settings dialog's five popups (its items are contract/dialog_ids.h's)
// with the setting each one shows, and the sizes of the buffers the dialog
// works in.
#pragma once

#include <cstdint>

#include "contract/dialog_ids.h"
#include "contract/symbol_settings.h"
#include "globals/plugin_globals.h"
#include "resources/resource_ids.h"

// Bytes of a popup entry's text as read from the string list, its NUL included.
inline constexpr int32_t kPopupStringSize = 62;
// Bytes of a buffer that holds the whole text and its NUL.
inline constexpr int32_t kTextBufferSize = kMaxGlobalsTextLength + 1;

// The popups, in the order the dialog fills them.
enum SettingsPopupKind : int32_t {
    kLevelPopup,
    kVersionPopup,
    kModePopup,
    kCellSizePopup,
    kMaskPopup,
    kSettingsPopupCount
};

// One popup: the item, the string list of its entries, and the field of the
// globals record that holds its entry index.
struct SettingsPopup {
    int32_t itemID;
    int32_t listBase;      // entry i reads string listBase + i
    int32_t entryCount;    // entries 0 to entryCount - 1
    int32_t defaultIndex;  // what a stored index outside the entries becomes
    int32_t PluginGlobals::*field;
    bool changesSymbol;  // a new choice changes the symbol, so the preview is drawn again
};

// The five popups by kind.
extern const SettingsPopup kSettingsPopups[kSettingsPopupCount];

// True while the suites the settings dialog calls are held: the ADM Dialog,
// Item, List, Entry, Drawer and Basic suites and the Blocks suite.
bool SettingsDialogSuitesHeld();
