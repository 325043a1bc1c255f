// The dark modules of a symbol painted as squares on a device context.
#pragma once

#include <cstdint>

#include "platform/win_gdi.h"
#include "qr/symbol_encoder.h"

// Paints every dark module of `matrix` as a `pixelsPerModule` square filled
// with `brush`, the symbol's top-left module at 4 modules from the top-left
// corner of a square of (side + 8) x pixelsPerModule pixels centred on
// (centreX, centreY) (the quiet zone around it). Light modules are left as
// they are; the caller paints the background first.
void PaintModules(HDC dc, const ModuleMatrix* matrix, int32_t centreX, int32_t centreY,
                  int32_t pixelsPerModule, HBRUSH brush);
