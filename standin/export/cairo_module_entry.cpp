// The module's side of cairo_module.h: the table of orvelk-draw.so.
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include "standin/export/cairo_module.h"

namespace standin {
namespace {

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
    cairo_surface_t* surface =
        eps ? cairo_ps_surface_create_for_stream(AppendBytes, out, n * cell, n * cell)
            : cairo_pdf_surface_create_for_stream(AppendBytes, out, n * cell, n * cell);
    if (eps)
        cairo_ps_surface_set_eps(surface, 1);
    else
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                       kExportCreationDate);
    cairo_t* cr = cairo_create(surface);
    SetColour(cr, drawing.lightColor);
    cairo_rectangle(cr, 0, 0, n * cell, n * cell);
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
    if (status == CAIRO_STATUS_SUCCESS) return true;
    *error = cairo_status_to_string(status);
    return false;
}

constexpr CairoExportCalls kCalls = {WriteDocumentCairo, WriteModules};

}  // namespace
}  // namespace standin

extern "C" const standin::CairoExportCalls* OrvelkCairoExportCalls() {
    return &standin::kCalls;
}
