// The numbers of the plug-in's resources, shared by the resource script and
// the code that loads them. Plain macros, so that the resource compiler reads
// them too.
#ifndef ORVELK_RESOURCES_RESOURCE_IDS_H
#define ORVELK_RESOURCES_RESOURCE_IDS_H

// The plug-in property list through which the host finds PluginMain.
#define ORVELK_PIPL_ID 16000

// Dialogs.
#define ORVELK_ABOUT_DIALOG_ID 16050     // About box
#define ORVELK_ERROR_DIALOG_ID 16051     // error message and code
#define ORVELK_SETTINGS_DIALOG_ID 16052  // QR settings

// The About box's picture.
#define ORVELK_ABOUT_BITMAP_ID 16052

// String lists. The error table is read as list 16050 from index 1: string
// 16050 + i, with the marker "<Mac strings begin at index 1>" at 16050
// itself. The popup lists are read from their first entry: entry i (from 0)
// is string base + i, and the marker sits at base - 1.
#define ORVELK_ERROR_TABLE_ID 16050
#define ORVELK_LEVEL_LIST_BASE 16101    // 4 entries
#define ORVELK_VERSION_LIST_BASE 16111  // 41 entries
#define ORVELK_MODE_LIST_BASE 16161     // 5 entries
#define ORVELK_CELL_LIST_BASE 16171     // 11 entries
#define ORVELK_MASK_LIST_BASE 16191     // 9 entries

#endif  // ORVELK_RESOURCES_RESOURCE_IDS_H
