// Where a dialog's items lie in pixels: dialog units converted with the base
// units of the dialog's font, as Windows converts them when it creates a
// dialog from its template. One table holds every font the stand-in knows,
// its base units and the font the stand-in draws its texts with in its place;
// the dialog manager, the picture of a dialog and any later window back end
// all lay dialogs out through this file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/adm_types.h"
#include "standin/host/module_resources.h"

namespace standin {

// Pixels per 4 horizontal and per 8 vertical dialog units.
struct DialogBaseUnits {
    int32_t x = 0;
    int32_t y = 0;
};

// A dialog font the stand-in knows: its template name (code page 932) and
// size, its base units at the screen's 96 dots per inch, and the face that
// stands in for it when texts are drawn (a fontconfig family at a size in
// pixels). A font the stand-in does not know, or none, is laid out and drawn
// as the first entry of the table, MS Sans Serif at 8 points.
struct DialogFontFace {
    const char* name;  // code page 932, as the template names it
    int16_t points;
    DialogBaseUnits units;
    const char* substituteFamily;
    double substitutePixels;  // the em size: points at 96 dots per inch, rounded as GDI does
};

// The known faces, the default first.
const std::vector<DialogFontFace>& DialogFontFaces();

// The face of a template's font `name` (code page 932; ASCII letters match
// in any case) at `points`; the default face when it is not known.
const DialogFontFace& DialogFontFor(const std::string& name, int16_t points);

// number x numerator / denominator rounded to the nearest integer, halves away
// from zero, as Windows's MulDiv; -1 for a zero denominator or a result
// outside 32 bits.
int32_t MulDivRounded(int32_t number, int32_t numerator, int32_t denominator);

// A rectangle in dialog units as pixels: x and width by MulDiv(v, units.x, 4),
// y and height by MulDiv(v, units.y, 8), each converted on its own.
ADMRect DialogUnitsToPixels(int32_t x, int32_t y, int32_t width, int32_t height,
                            DialogBaseUnits units);

// A dialog laid out: its client area and every item's rectangle in the
// client area's pixels ((0, 0) at its top left), in template order.
struct DialogLayout {
    const DialogFontFace* face = nullptr;
    DialogBaseUnits units;
    int32_t width = 0;  // the client area
    int32_t height = 0;
    std::vector<ADMRect> items;
};

// Lays `dialog` out with the base units of its font.
DialogLayout LayOutDialog(const DialogResource& dialog);

}  // namespace standin
