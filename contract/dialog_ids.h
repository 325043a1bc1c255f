// The plug-in's dialogs as a host finds them among the module's resources,
// the items a host (or a user) works with in them, and the string list of the
// error table. The numbers themselves are the resource script's
// (resources/resource_ids.h, plain macros that the resource compiler reads
// too); these are their names for code.
#pragma once

#include <cstdint>

#include "resources/resource_ids.h"

// Dialog resource of the About box.
inline constexpr int32_t kAboutDialogID = ORVELK_ABOUT_DIALOG_ID;

// Dialog resource of the error dialog, and its items: the message and the
// code's text.
inline constexpr int32_t kErrorDialogID = ORVELK_ERROR_DIALOG_ID;
inline constexpr int32_t kErrorDialogMessageItem = 2;
inline constexpr int32_t kErrorDialogCodeItem = 3;
// String list of the error table: code string at each odd index from 1 on,
// its message at the index after it; the list ends at the first empty or
// unreadable code string.
inline constexpr int32_t kErrorTableListID = ORVELK_ERROR_TABLE_ID;

// Dialog resource of the settings dialog, and its items.
inline constexpr int32_t kSettingsDialogID = ORVELK_SETTINGS_DIALOG_ID;
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
