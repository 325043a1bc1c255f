// A document as SVG that keeps its structure: one <g> per group and one
// <path> per path, in paint order, every coordinate the stored 32-bit float
// written verbatim.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="Wpt" height="Hpt"
//    viewBox="L Y W H" shape-rendering="crispEdges">
//   <g transform="matrix(1 0 0 -1 0 P)">
//   <g>
//   <path d="M279.44894 420.55106L320.55106 420.55106L320.55106 379.44894L279.44894 379.44894Z"
//    fill="none" stroke="none"/>
//   <path d="M285.11819 414.88181L..." fill="#000000" stroke="none"/>
//   </g>
//   </g>
//   </svg>
//
// (each element on one line). The outer <g> is not part of the document: it
// turns document coordinates (y growing upwards from the page's bottom edge)
// into SVG's (y growing downwards from the top edge) with P the page height,
// so the path data holds the stored numbers unchanged. The viewBox shows the
// export box: L its left edge, Y = P - its top edge, W and H its size, which
// width and height give again in points.
//
// Path data: M to the first anchor; to each next anchor L when the control
// points between them lie on their anchors, otherwise C out-control,
// in-control, anchor; for a closed path the same back to the first anchor
// (only when curved) and Z. Paint: fill "#rrggbb" or "none" (fill-rule
// "evenodd" when set); stroke "#rrggbb" or "none", and when stroked its width,
// and its cap, join, miter limit and dash where they differ from SVG's
// defaults. Overprint and the clipping flags have no SVG form and are not
// written. Numbers are the shortest decimals that read back as the same
// float, never in exponent form.
#pragma once

#include <string>

#include "standin/export/export_geometry.h"
#include "standin/suites/document/documents.h"

namespace standin {

// Appends the SVG of `document` showing `box` to `out`. The document must
// have passed CheckExportable.
void WriteDocumentSvg(const Document& document, const ExportBox& box, std::string* out);

}  // namespace standin
