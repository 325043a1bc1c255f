// The whole-symbol output formats of `orvelk encode`.
#pragma once

#include <cstdio>

#include "qr/symbol_encoder.h"

// Modules of quiet zone around a drawn symbol.
inline constexpr int kQuietZoneModules = 4;

// `side` lines of `side` characters, '1' dark and '0' light, row 0 first.
bool WriteSymbolText(FILE* out, const ModuleMatrix& m);

// An SVG of the symbol with its quiet zone: a white background and one path
// of the dark modules, each module `cellMillimetres` wide.
bool WriteSymbolSvg(FILE* out, const ModuleMatrix& m, double cellMillimetres);

// A grey-scale PNG of the symbol with its quiet zone, `scale` pixels per module.
bool WriteSymbolPng(FILE* out, const ModuleMatrix& m, int scale);
