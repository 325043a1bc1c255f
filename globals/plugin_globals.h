// PluginGlobals: the one record the host keeps for the plug-in between
// messages and across an unload, with its defaults and the conversions of its
// settings into what the symbol engine and the artwork take.
#pragma once

#include <cstdint>

#include "contract/symbol_settings.h"
#include "hostapi/ai_filter.h"
#include "qr/symbol_encoder.h"

// The settings' ranges, their letters for the engine and the cell sizes are
// what the outside sees of them: contract/symbol_settings.h.

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
