// The whole-symbol output formats of `orvelk encode`: each appends the bytes
// of one format to a string, which the command then writes in one piece.
#pragma once

#include <string>

#include "contract/symbol_settings.h"
#include "qr/symbol_encoder.h"
#include "standin/cli/option_values.h"

// How a symbol is drawn: its quiet zone (unless --border says otherwise, the
// plug-in's) and its two colours.
struct SymbolStyle {
    int border = kQuietZoneModules;
    RgbaColour dark{0, 0, 0, 255};
    RgbaColour light{255, 255, 255, 255};
};

// `side` lines of `side` characters, '1' dark and '0' light, row 0 first.
void AppendSymbolText(std::string* out, const ModuleMatrix& m);

// The symbol and its quiet zone in Unicode half blocks, two rows of modules a
// line: the light modules are drawn (the terminal's text colour) and the dark
// ones left blank, so that it scans on a dark terminal.
void AppendSymbolUtf8(std::string* out, const ModuleMatrix& m, int border);

// An SVG of the symbol with its quiet zone: a background rectangle and one
// path of the dark modules, each module `cellMillimetres` wide. The sizes are
// written with every digit they need and never in exponent form.
void AppendSymbolSvg(std::string* out, const ModuleMatrix& m, double cellMillimetres,
                     const SymbolStyle& style);

// A PNG of the symbol with its quiet zone, `scale` pixels per module, whose
// resolution says `pixelsPerMetre`: grey-scale in black and white, else RGB,
// or RGBA when a colour is not opaque. False with a reason from libpng.
bool AppendSymbolPng(std::string* out, const ModuleMatrix& m, int scale, double pixelsPerMetre,
                     const SymbolStyle& style, std::string* why);

// Whether this build writes PNG (it needs libpng).
bool CanWriteSymbolPng();

// Whether this build writes PDF and EPS (they need cairo).
bool CanWriteSymbolVector();

// A one-page PDF, or an EPS, of the symbol with its quiet zone, each module
// `cellMillimetres` wide. False with cairo's reason.
bool AppendSymbolVector(std::string* out, const ModuleMatrix& m, double cellMillimetres,
                        const SymbolStyle& style, bool eps, std::string* why);
