// Documents whose painted art is axis-aligned rectangles of one fill colour,
// such as a placed symbol: found once, and drawn by the PNG and PDF writers
// without a general path renderer.
#pragma once

#include <vector>

#include "standin/export/export_geometry.h"
#include "standin/suites/document/documents.h"

namespace standin {

// A painted rectangle: its path's bounds, and the path for its stored corners.
struct PaintedRectangle {
    ExportBox bounds;
    const Art* path;
};

// The painted art of a document of rectangles.
struct RectangleArt {
    std::vector<PaintedRectangle> rectangles;  // in paint order
    AIColor ink{};                             // their one fill colour (any, when none)
};

// Fills *art when every painted path of `document` is a closed, filled,
// unstroked rectangle with straight edges along the axes (four corners, or
// five with the last on the first) and all of them are filled with one
// screen colour; false when some painted path is anything else. Unpainted
// paths and art other than paths are passed over, as every export does.
bool FindRectangleArt(const Document& document, RectangleArt* art);

}  // namespace standin
