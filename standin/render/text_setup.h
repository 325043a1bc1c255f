// The texts of dialog pictures: one pango font map for the process with fixed
// rendering options, so that a picture comes out the same on every run for a
// given set of fonts (fontconfig's own hinting and antialiasing rules are
// overridden), the faces of dialog_layout.h, and their metrics measured the
// way Windows measures a dialog font.
#pragma once

#include <pango/pangocairo.h>

#include <string>

#include "standin/dialogs/dialog_layout.h"

namespace standin {

// The context that lays out every text of a picture: 96 dots per inch,
// greyscale antialiasing, full hinting, metrics and glyph positions rounded
// to whole pixels, no embedded bitmaps. Owned by this file; lives as long as
// the process.
PangoContext* DialogTextContext();

// A new description of `face` (bold for captions); the caller frees it with
// pango_font_description_free.
PangoFontDescription* NewFaceDescription(const DialogFontFace& face, bool bold);

// What a face measures at its size.
struct FaceMetrics {
    std::string family;      // the family fontconfig gave for the face
    DialogBaseUnits units;   // by Windows's rule, from the face's own metrics
    int32_t ascent = 0;      // pixels above the baseline of a line
    int32_t lineHeight = 0;  // ascent and descent: the distance of two lines
};

// Measures `family` at `pixels`: base x is (width of "a..zA..Z" / 26 + 1) / 2,
// base y the ascent plus the descent of the font's horizontal line metrics,
// each rounded to whole pixels.
FaceMetrics MeasureFace(const char* family, double pixels);

}  // namespace standin
