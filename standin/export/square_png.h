// PNG of documents whose painted art is axis-aligned rectangles of one fill
// colour, such as a placed symbol: the rectangles' pixels are found directly
// instead of through a general path renderer, and the image is written as a
// 1-bit grey or 2-colour palette PNG.
//
// The pixels are the same as the general renderer's (cairo without
// antialiasing, cairo_export.h) gives: corners are taken to 1/256 of a
// pixel, rounded to the nearest (ties to even), and a pixel is dark when
// its centre lies in [left, right) x [top, bottom) of a rectangle at that
// precision. Colours are taken to 8 bits as cairo takes them (to 16 bits,
// rounded, then the high byte).
#pragma once

#include <string>

#include "standin/export/export_geometry.h"
#include "standin/suites/document/documents.h"

namespace standin {

// How the PNG is drawn.
struct SquarePngOptions {
    double dpi = 300;          // pixels per inch, also written into the file (pHYs)
    bool transparent = false;  // no white paper behind the art
};

enum class SquarePngResult {
    kWritten,     // the PNG was appended
    kNotSquares,  // some painted art is not a filled rectangle of the one colour: draw it otherwise
    kFailed,      // the image is too large or libpng failed: *error says why
};

// Appends the PNG of `document`, showing `box`, to `out` when every painted
// path is a closed, filled, unstroked axis-aligned rectangle of straight
// edges and all of them have one fill colour. The document must have passed
// CheckExportable.
SquarePngResult WriteSquaresPng(const Document& document, const ExportBox& box,
                                const SquarePngOptions& options, std::string* out,
                                std::string* error);

// Inserts a pHYs chunk saying `dpi` after the IHDR chunk of the PNG `png`
// (which has none), so that readers know the image's size on paper.
void AddPngResolution(std::string* png, double dpi);

}  // namespace standin
