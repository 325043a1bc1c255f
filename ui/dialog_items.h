// The settings dialog's items (dialog resource 16052), its five popups with
// the setting each one shows, and the sizes of the buffers the dialog works
// in.
#pragma once

#include <cstdint>

#include "globals/plugin_globals.h"
#include "resources/resource_ids.h"

inline constexpr int32_t kSettingsDialogID = ORVELK_SETTINGS_DIALOG_ID;

// Items of the settings dialog.
inline constexpr int32_t kOkItem = 1;              // closes the dialog with 1
inline constexpr int32_t kCancelItem = 2;          // closes the dialog with 2 (ADM's own handling)
inline constexpr int32_t kPreviewItem = 3;         // the symbol preview, drawn by the plug-in
inline constexpr int32_t kLevelPopupItem = 5;      // error-correction level
inline constexpr int32_t kVersionPopupItem = 7;    // version, "オート" first
inline constexpr int32_t kModePopupItem = 9;       // encoding mode
inline constexpr int32_t kCellSizePopupItem = 11;  // cell size in millimetres
inline constexpr int32_t kTextItem = 13;           // the text to encode
inline constexpr int32_t kInfoTextItem = 14;       // capacity and figure size
inline constexpr int32_t kMaskPopupItem = 16;      // mask pattern, automatic first

// Bytes of a popup entry's text as read from the string list, its NUL included.
inline constexpr int32_t kPopupStringSize = 62;
// Bytes of a buffer that holds the whole text and its NUL.
inline constexpr int32_t kTextBufferSize = kMaxGlobalsTextLength + 1;

// Modules of quiet zone on each side of the symbol, in the figure size and
// the preview.
inline constexpr int32_t kQuietZoneModules = 4;

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
