// The symbol as artwork: the engine's module matrix drawn into the current
// document as one group, above all other art, that holds an unpainted
// rectangle over the symbol and its quiet zone and one black square path per
// dark module.
#pragma once

#include <cstdint>

#include "contract/symbol_settings.h"
#include "hostapi/ai_art.h"
#include "hostapi/host_types.h"

// Encodes `text` (NUL-terminated, code page 932) at `levelChar` ('L', 'M',
// 'Q', 'H'), `modeChar` ('N', 'A', 'B', 'K', 'M') and `version` (0
// automatic, 1 to 40), with the mask setting the engine's host holds, and
// draws the symbol centred on (x, y), document coordinates in points,
// `moduleSize` points per module. Returns the engine's code when it fails
// (nothing drawn), 0 when the mode's filter kept nothing (nothing drawn), the
// host's error when the group cannot be made, -108 when the matrix cannot be
// allocated, "S!Fd" when an art suite is not held, "!Prm" when the symbol at
// this place and size would reach past the largest 32-bit real (nothing
// drawn), else 0. A module path that
// cannot be made or shaped is missing or incomplete and the drawing goes on.
// Each stored coordinate is a 32-bit float computed from the ones stored
// before it: top = y + W/2, bottom = top - W, left = x - W/2, right =
// left + W with W = (side + 8) x moduleSize; module (column c, row r) has top
// = top - 4m - r m, bottom = its top - m, left = left + 4m + c m, right = its
// left + m.
ASErr DrawSymbolArt(double x, double y, double moduleSize, const char* text, char levelChar,
                    char modeChar, int32_t version);

// Adds to `group`, on top of what it holds, a closed path around `*rect`
// (left, top, right, bottom): the corners top left, top right, bottom right,
// bottom left, set one segment at a time, with the symbol's path style,
// filled black when `fillPaint` is set, else unpainted. Returns the error of
// making the path, else the result of the last segment's call; the style's
// and the closing's results are not looked at.
ASErr AddRectPath(AIArtHandle group, const ASRealRect* rect, ASBoolean fillPaint);
