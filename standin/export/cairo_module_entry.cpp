// The module's side of cairo_module.h: the table of orvelk-draw.so.
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "standin/export/cairo_module.h"
#include "standin/export/eps_box.h"

namespace standin {
namespace {

// PostScript has no transparency: cairo paints a translucent symbol into an
// EPS as an image of the page at its fallback resolution. The image keeps
// within 25 million pixels (5000 a side, still over 20 a module at version
// 40), at cairo's 300 dpi where the page is small enough and lower on a
// larger one, so a large cell never asks for gigabytes.
constexpr double kFallbackDpi = 300;
constexpr double kMaxFallbackPixels = 2.5e7;

// The fallback resolution for a square page of `side` points.
double FallbackDpi(double side) {
    return std::min(kFallbackDpi, 72 * std::sqrt(kMaxFallbackPixels) / side);
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void SetColour(cairo_t* cr, const double (&c)[4]) {
    cairo_set_source_rgba(cr, c[0], c[1], c[2], c[3]);
}

bool WriteModules(const ModuleDrawing& drawing, bool eps, std::string* out, std::string* error) {
    const double cell = drawing.cellPoints;
    const int n = drawing.side + 2 * drawing.border;
    const double side = n * cell;
    // An EPS is drawn on a page of whole points, moved down to its foot, and
    // then states its exact box (eps_box.h).
    std::string bytes;
    cairo_surface_t* surface =
        eps ? cairo_ps_surface_create_for_stream(AppendBytes, &bytes, side, EpsPageHeight(side))
            : cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, side, side);
    if (eps) {
        cairo_ps_surface_set_eps(surface, 1);
        const double dpi = FallbackDpi(side);
        cairo_surface_set_fallback_resolution(surface, dpi, dpi);
    } else {
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                       kExportCreationDate);
    }
    cairo_t* cr = cairo_create(surface);
    if (eps) cairo_translate(cr, 0, EpsShiftDown(side));
    SetColour(cr, drawing.lightColor);
    cairo_rectangle(cr, 0, 0, side, side);
    cairo_fill(cr);
    SetColour(cr, drawing.darkColor);
    for (int y = 0; y < drawing.side; ++y)
        for (int x = 0; x < drawing.side; ++x)
            if (drawing.dark[static_cast<size_t>(x) * drawing.side + y] != 0)
                cairo_rectangle(cr, (x + drawing.border) * cell, (y + drawing.border) * cell, cell,
                                cell);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        *error = cairo_status_to_string(status);
        return false;
    }
    if (eps) StateEpsBox(&bytes, side, side);
    out->append(bytes);
    return true;
}

constexpr CairoExportCalls kCalls = {WriteDocumentCairo, WriteModules};

}  // namespace
}  // namespace standin

extern "C" const standin::CairoExportCalls* OrvelkCairoExportCalls() {
    return &standin::kCalls;
}
