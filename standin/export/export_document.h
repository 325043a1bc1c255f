// Export of a stand-in document to SVG, PDF, EPS or PNG.
//
// SVG keeps the document's structure and its stored numbers (svg_writer.h);
// PNG and PDF of rectangles of one colour, such as a placed symbol, are
// written directly (square_png.h, square_pdf.h); EPS and any other PNG or PDF
// are drawn with cairo (cairo_export.h) in the module that holds it, in
// builds that have it. Every format shows the art the right way up: document y grows upwards,
// the formats' downwards. By default an export covers the bounds of the art
// (for a placed symbol, its quiet-zone rectangle); a document without art
// that spans an area exports its page.
#pragma once

#include <string>

#include "standin/export/export_geometry.h"
#include "standin/suites/document/documents.h"

namespace standin {

enum class ExportFormat {
    kFromExtension,  // by the file name: .svg, .pdf, .eps or .png, in any case
    kSvg,
    kPdf,
    kEps,
    kPng,
};

struct ExportOptions {
    ExportFormat format = ExportFormat::kFromExtension;
    ExportCrop crop = ExportCrop::kArt;
    double dpi = 300;          // PNG: pixels per inch
    bool transparent = false;  // PNG: no white paper behind the art
};

// The format that `path`'s extension names, or kFromExtension when it names
// none of them.
ExportFormat FormatOfPath(const std::string& path);

// Whether this build can write `format` (PDF, EPS and PNG need cairo).
bool CanExport(ExportFormat format);

// The bytes of `document` in `format` (not kFromExtension), appended to `out`.
// On failure returns false with the reason in `error`.
bool RenderDocument(const Document& document, ExportFormat format, const ExportOptions& options,
                    std::string* out, std::string* error);

// Writes `document` to the file `path`, in options.format or the format of its
// extension. The file is written whole beside the target and then takes its
// name, so a failed export leaves any earlier file as it was. On failure
// returns false with a message naming the file in `error`.
bool ExportDocument(const Document& document, const std::string& path, const ExportOptions& options,
                    std::string* error);

}  // namespace standin
