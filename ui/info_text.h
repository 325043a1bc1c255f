// The settings dialog's information text (item 14): how many characters the
// chosen level, version and mode hold, and, when there is a symbol, how large
// the finished figure will be. Each line ends in a carriage return alone:
//   最大文字数： 14文字
//   図形サイズ： 14.5×14.5mm
// In mixed mode the first line gives the Kanji capacity and, in parentheses,
// the 8-bit byte capacity: 最大文字数： 1435(2953)文字.
#pragma once

#include <cstdint>

#include "globals/plugin_globals.h"
#include "hostapi/adm_types.h"

// The number of characters of mode `modeChar` ('N', 'A', 'B', 'K'; any other
// letter gives 0) that `version` (0 automatic, read as 40; 1 to 40) holds at
// the level of `levelChar` ('L', 'M', 'Q', 'H'; any other letter reads as
// 'M'). Counts whole groups of three digits and of two alphanumeric
// characters only. 0 for a version outside 0 to 40.
int32_t CharacterCapacity(char levelChar, char modeChar, int32_t version);

// Writes the information text for the settings of `globals` and a symbol of
// `side` modules (0: no symbol, no figure size) into `text`, kInfoLineSize
// bytes, NUL-terminated. Returns its length.
int32_t FormatInformationText(const PluginGlobals* globals, int32_t side, char* text);

// Recomputes the information text from the globals record and its preview
// matrix and, when it differs from the info line, sets it as the text of
// `dialog`'s item 14 and keeps it as the info line.
void RefreshInformationText(ADMDialogRef dialog);
