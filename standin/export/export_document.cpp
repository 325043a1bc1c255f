#include "standin/export/export_document.h"

#include <cctype>

#include "standin/export/svg_writer.h"
#include "standin/files/replace_file.h"
#if ORVELK_EXPORT_CAIRO
#include "standin/export/cairo_module.h"
#include "standin/export/square_pdf.h"
#include "standin/export/square_png.h"
#endif

namespace standin {
namespace {

// The extension of the file name in `path`, with its dot, as written; empty
// when the name has none.
std::string Extension(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= name) return "";
    return path.substr(dot);
}

}  // namespace

ExportFormat FormatOfPath(const std::string& path) {
    std::string extension = Extension(path);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".svg") return ExportFormat::kSvg;
    if (extension == ".pdf") return ExportFormat::kPdf;
    if (extension == ".eps") return ExportFormat::kEps;
    if (extension == ".png") return ExportFormat::kPng;
    return ExportFormat::kFromExtension;
}

bool CanExport(ExportFormat format) {
    if (format == ExportFormat::kSvg) return true;
#if ORVELK_EXPORT_CAIRO
    return format != ExportFormat::kFromExtension;
#else
    return false;
#endif
}

bool RenderDocument(const Document& document, ExportFormat format, const ExportOptions& options,
                    std::string* out, std::string* error) {
    if (!CanExport(format)) {
        *error = format == ExportFormat::kFromExtension ? "no format chosen"
                                                        : "this build exports only SVG";
        return false;
    }
    if (!CheckExportable(document, error)) return false;
    ExportBox box;
    if (!ExportBounds(document, options.crop, &box, error)) return false;
    if (format == ExportFormat::kSvg) {
        WriteDocumentSvg(document, box, out);
        return true;
    }
#if ORVELK_EXPORT_CAIRO
    if (format == ExportFormat::kPng) {
        const SquarePngResult squares =
            WriteSquaresPng(document, box, {options.dpi, options.transparent}, out, error);
        if (squares != SquarePngResult::kNotSquares) return squares == SquarePngResult::kWritten;
    }
    if (format == ExportFormat::kPdf) {
        RectangleArt art;
        if (FindRectangleArt(document, &art)) return WriteRectanglesPdf(art, box, out, error);
    }
    const CairoExportCalls* cairo = CairoExport(error);
    if (cairo == nullptr) return false;
    const CairoFormat cairoFormat = format == ExportFormat::kPdf   ? CairoFormat::kPdf
                                    : format == ExportFormat::kEps ? CairoFormat::kEps
                                                                   : CairoFormat::kPng;
    std::string bytes;
    if (!cairo->writeDocument(document, box, cairoFormat, {options.dpi, options.transparent},
                              &bytes, error))
        return false;
    if (format == ExportFormat::kPng) AddPngResolution(&bytes, options.dpi);
    *out += bytes;
    return true;
#else
    return false;
#endif
}

bool ExportDocument(const Document& document, const std::string& path, const ExportOptions& options,
                    std::string* error) {
    std::string reason;
    ExportFormat format = options.format;
    if (format == ExportFormat::kFromExtension) {
        format = FormatOfPath(path);
        if (format == ExportFormat::kFromExtension) {
            const std::string extension = Extension(path);
            *error = "cannot export to " + path + ": " +
                     (extension.empty() ? std::string("the file name has no extension")
                                        : "unknown file type \"" + extension + "\"") +
                     " (use .svg, .pdf, .eps or .png)";
            return false;
        }
    }
    std::string bytes;
    if (!RenderDocument(document, format, options, &bytes, &reason)) {
        *error = "cannot export to " + path + ": " + reason;
        return false;
    }
    return ReplaceFileWith(path, bytes, error);
}

}  // namespace standin
