// A document as PDF, EPS or PNG, drawn with cairo, in the back-end module
// orvelk-draw.so (cairo_module.h): the program reaches it through the
// module's table. Every path is filled and
// stroked as its style says, in paint order; the unpainted ones draw nothing.
//
// The output depends on nothing but the document and the options: the PDF's
// creation date is fixed (kExportCreationDate) and the EPS carries none.
// The EPS's bounding box is the export box, not the extent of the ink, so
// the quiet zone stays part of the figure.
#pragma once

#include <string>

#include "standin/export/export_geometry.h"
#include "standin/suites/document/documents.h"

namespace standin {

// The creation date written into every PDF, so that two exports of the same
// document are the same bytes: the start of the Unix epoch, the usual date of
// files that carry none of their own.
inline constexpr char kExportCreationDate[] = "1970-01-01T00:00Z";

enum class CairoFormat { kPdf, kEps, kPng };

// How a cairo export is drawn.
struct CairoOptions {
    double dpi = 300;          // PNG only: pixels per inch
    bool transparent = false;  // PNG only: no white paper behind the art
};

// Appends `document`, showing `box`, in `format` to `out`. The document must
// have passed CheckExportable. Returns false with a reason when cairo fails
// or a PNG of that size at that resolution would be too large.
bool WriteDocumentCairo(const Document& document, const ExportBox& box, CairoFormat format,
                        const CairoOptions& options, std::string* out, std::string* error);

}  // namespace standin
