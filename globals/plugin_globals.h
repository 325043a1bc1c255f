// PluginGlobals: the one record the host keeps for the plug-in between
// messages and across an unload, with its defaults and the conversions of its
// settings into what the symbol engine and the artwork take.
#pragma once

#include <cstdint>

#include "hostapi/ai_filter.h"
#include "qr/symbol_encoder.h"

// Ranges of the settings. A setting is an index into its popup's entries.
inline constexpr int32_t kLevelIndexCount = 4;        // L, M, Q, H
inline constexpr int32_t kVersionSettingMax = 40;     // 0 automatic, 1 to 40 fixed
inline constexpr int32_t kModeIndexCount = 5;         // numeric, alphanumeric, byte, Kanji, mixed
inline constexpr int32_t kMaskSettingCount = 9;       // 0 automatic, 1 to 8 = pattern 0 to 7
inline constexpr int32_t kModuleSizeIndexCount = 11;  // 0.20 mm to 5.00 mm

// The letters the engine takes, by level index and by mode index.
inline constexpr char kLevelIndexLetters[] = "LMQH";
inline constexpr char kModeIndexLetters[] = "NABKM";

// Millimetres in one point.
inline constexpr double kMillimetresPerPoint = 0.35278;

// Bytes of the dialog's information line, its NUL included.
inline constexpr int32_t kInfoLineSize = 80;
// Most bytes of text (code page 932) the plug-in holds, without the NUL.
inline constexpr int32_t kMaxGlobalsTextLength = 8192;

// The plug-in's own out-of-memory result: the platform's memory-full code,
// the one its error table explains.
inline constexpr ASErr kPluginOutOfMemoryError = -108;

// The settings and text a fresh start begins with.
inline constexpr int32_t kDefaultLevelIndex = 1;       // M
inline constexpr int32_t kDefaultVersion = 0;          // automatic
inline constexpr int32_t kDefaultModeIndex = 2;        // 8-bit byte
inline constexpr int32_t kDefaultMaskSetting = 0;      // automatic
inline constexpr int32_t kDefaultModuleSizeIndex = 3;  // 0.50 mm
inline constexpr char kDefaultText[] = "*SAMPLE TEXT*";

struct PluginGlobals {
    AIFilterHandle filter;  // the filter added at startup; null before
    int32_t level;          // level index 0 to 3: L, M, Q, H
    int32_t version;        // 0 automatic, 1 to 40
    int32_t mode;           // mode index 0 to 4: numeric, alphanumeric, 8-bit byte, Kanji, mixed
    int32_t maskSetting;    // 0 automatic, 1 to 8 = mask pattern 0 to 7; never saved nor recorded
    int32_t moduleSize;     // module size index 0 to 10
    char infoLine[kInfoLineSize];          // the information text last shown by the settings dialog
    ModuleMatrix* previewMatrix;           // the dialog's preview; valid only while the dialog runs
    char text[kMaxGlobalsTextLength + 1];  // the text to encode, code page 932, NUL-terminated
};

// Clears the whole record and sets the defaults: no filter, level M, version
// automatic, 8-bit byte mode, mask automatic, 0.50 mm, empty information
// line, no preview matrix, text "*SAMPLE TEXT*".
void SetDefaultGlobals(PluginGlobals* globals);

// The engine's level letter for a level index ("LMQH"). Outside 0 to 3:
// asserts, and gives the default level's letter 'M'.
char LevelCharFromIndex(int32_t index);

// The engine's mode letter for a mode index ("NABKM"). Outside 0 to 4:
// asserts, and gives the default mode's letter 'B'.
char ModeCharFromIndex(int32_t index);

// The module size in millimetres for a size index (0.20 to 5.00). Outside 0
// to 10: asserts, and gives the default size, 0.50 mm.
double ModuleSizeMillimetres(int32_t index);

// The module size in points for a size index: the millimetres divided by
// 0.35278. Outside 0 to 10: asserts, and gives the default size's points.
double ModuleSizePoints(int32_t index);
