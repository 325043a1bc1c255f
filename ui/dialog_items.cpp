#include "ui/dialog_items.h"

#include "globals/plugin_state.h"

const SettingsPopup kSettingsPopups[kSettingsPopupCount] = {
    {kLevelPopupItem, ORVELK_LEVEL_LIST_BASE, kLevelIndexCount, kDefaultLevelIndex,
     &PluginGlobals::level, true},
    {kVersionPopupItem, ORVELK_VERSION_LIST_BASE, kVersionSettingMax + 1, kDefaultVersion,
     &PluginGlobals::version, true},
    {kModePopupItem, ORVELK_MODE_LIST_BASE, kModeIndexCount, kDefaultModeIndex,
     &PluginGlobals::mode, true},
    // The cell size changes only the figure size of the information text.
    {kCellSizePopupItem, ORVELK_CELL_LIST_BASE, kModuleSizeIndexCount, kDefaultModuleSizeIndex,
     &PluginGlobals::moduleSize, false},
    {kMaskPopupItem, ORVELK_MASK_LIST_BASE, kMaskSettingCount, kDefaultMaskSetting,
     &PluginGlobals::maskSetting, true},
};

static_assert(kDefaultLevelIndex < kLevelIndexCount && kDefaultModeIndex < kModeIndexCount &&
              kDefaultModuleSizeIndex < kModuleSizeIndexCount &&
              kDefaultMaskSetting < kMaskSettingCount && kDefaultVersion <= kVersionSettingMax);

bool SettingsDialogSuitesHeld() {
    const PluginState& s = gPluginState;
    return s.admDialog != nullptr && s.admItem != nullptr && s.admList != nullptr &&
           s.admEntry != nullptr && s.admDrawer != nullptr && s.admBasic != nullptr &&
           s.blocks != nullptr;
}
