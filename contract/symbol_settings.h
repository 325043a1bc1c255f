// The symbol settings as the outside sees them: the entries of the settings
// dialog's popups, the values the recorded action holds (which are the same
// indices), the millimetres of the cell sizes and the quiet zone of every
// drawn symbol.
#pragma once

#include <cstdint>

// Ranges of the settings. A setting is an index into its popup's entries.
inline constexpr int32_t kLevelIndexCount = 4;        // L, M, Q, H
inline constexpr int32_t kVersionSettingMax = 40;     // 0 automatic, 1 to 40 fixed
inline constexpr int32_t kModeIndexCount = 5;         // numeric, alphanumeric, byte, Kanji, mixed
inline constexpr int32_t kMaskSettingCount = 9;       // 0 automatic, 1 to 8 = pattern 0 to 7
inline constexpr int32_t kModuleSizeIndexCount = 11;  // 0.20 mm to 5.00 mm

// The engine's letters, by level index and by mode index.
inline constexpr char kLevelIndexLetters[] = "LMQH";
inline constexpr char kModeIndexLetters[] = "NABKM";
static_assert(sizeof kLevelIndexLetters == kLevelIndexCount + 1);
static_assert(sizeof kModeIndexLetters == kModeIndexCount + 1);

// The cell sizes of the settings dialog, in millimetres per module, by size
// index.
inline constexpr double kModuleSizesMillimetres[kModuleSizeIndexCount] = {
    0.20, 0.25, 0.33, 0.50, 0.75, 1.00, 1.50, 2.00, 3.00, 4.00, 5.00};

// Millimetres in one point: a cell size becomes the action's module size in
// points by dividing by it.
inline constexpr double kMillimetresPerPoint = 0.35278;

// Modules of quiet zone on each side of the symbol: in the drawn art, the
// information text's figure size and the preview.
inline constexpr int32_t kQuietZoneModules = 4;
