#include "standin/export/cairo_export.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include "standin/export/art_walk.h"
#include "standin/export/eps_box.h"
#include "standin/export/number_text.h"

namespace standin {
namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void SetColor(cairo_t* cr, const AIColor& color) {
    const RgbColor rgb = ScreenColor(color);
    cairo_set_source_rgb(cr, rgb.red, rgb.green, rgb.blue);
}

void TracePath(cairo_t* cr, const Art& path) {
    const std::vector<AIPathSegment>& s = path.segments;
    if (s.empty()) return;
    cairo_move_to(cr, s[0].p.h, s[0].p.v);
    auto edge = [cr](const AIPathSegment& from, const AIPathSegment& to) {
        cairo_curve_to(cr, from.out.h, from.out.v, to.in.h, to.in.v, to.p.h, to.p.v);
    };
    auto straight = [](const AIPathSegment& from, const AIPathSegment& to) {
        return from.out.h == from.p.h && from.out.v == from.p.v && to.in.h == to.p.h &&
               to.in.v == to.p.v;
    };
    for (size_t i = 1; i < s.size(); ++i) {
        if (straight(s[i - 1], s[i])) {
            cairo_line_to(cr, s[i].p.h, s[i].p.v);
        } else {
            edge(s[i - 1], s[i]);
        }
    }
    if (path.closed) {
        if (s.size() > 1 && !straight(s.back(), s[0])) edge(s.back(), s[0]);
        cairo_close_path(cr);
    }
}

void SetStroke(cairo_t* cr, const AIStrokeStyle& stroke) {
    SetColor(cr, stroke.color);
    cairo_set_line_width(cr, stroke.width < 0 ? 0 : stroke.width);
    cairo_set_line_cap(cr, stroke.cap == kRoundCap        ? CAIRO_LINE_CAP_ROUND
                           : stroke.cap == kProjectingCap ? CAIRO_LINE_CAP_SQUARE
                                                          : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, stroke.join == kRoundJoin   ? CAIRO_LINE_JOIN_ROUND
                            : stroke.join == kBevelJoin ? CAIRO_LINE_JOIN_BEVEL
                                                        : CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, stroke.miterLimit < 1 ? 1 : stroke.miterLimit);
    double dashes[kMaxDashComponents];
    const int count = DashCount(stroke.dash);
    bool any = false;
    for (int i = 0; i < count; ++i) {
        dashes[i] = stroke.dash.array[i] < 0 ? 0 : stroke.dash.array[i];
        any = any || dashes[i] > 0;
    }
    // A pattern of nothing but zeros is a solid line, as in SVG.
    cairo_set_dash(cr, dashes, any ? count : 0, stroke.dash.offset);
}

void DrawArt(cairo_t* cr, const Document& document) {
    WalkArt(
        document.art,
        [cr](const Art& a, const ArtPlace&) {
            if (a.type != kPathArt) return;
            const AIPathStyle& style = a.style;
            if (!style.fillPaint && !style.strokePaint) return;
            cairo_new_path(cr);
            TracePath(cr, a);
            if (style.fillPaint) {
                SetColor(cr, style.fill.color);
                cairo_set_fill_rule(
                    cr, style.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
                cairo_fill_preserve(cr);
            }
            if (style.strokePaint) {
                SetStroke(cr, style.stroke);
                cairo_stroke_preserve(cr);
            }
            cairo_new_path(cr);
        },
        [](const Art&) {});
}

// Document coordinates to the surface's: `scale` units per point, the box's
// top left at the origin, y downwards.
// `down` moves the drawing down by that many surface units.
void SetDocumentMatrix(cairo_t* cr, const ExportBox& box, double scale, double down = 0) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, scale, 0, 0, -scale, -box.left * scale, box.top * scale + down);
    cairo_set_matrix(cr, &m);
}

// Some cairo versions write the date without the "D:" that PDF dates begin
// with. The mended date says the same in as many bytes, so every offset in
// the file stays right.
void FixPdfDate(std::string* pdf) {
    static constexpr std::string_view kWritten = "/CreationDate (197001010000)";
    static constexpr std::string_view kMended = "/CreationDate (D:1970010100)";
    static_assert(kWritten.size() == kMended.size());
    const size_t at = pdf->find(kWritten);
    if (at != std::string::npos) pdf->replace(at, kWritten.size(), kMended);
}

bool Finish(cairo_t* cr, cairo_surface_t* surface, std::string* error) {
    cairo_status_t status = cairo_status(cr);
    cairo_surface_flush(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error != nullptr) *error = std::string("cairo: ") + cairo_status_to_string(status);
        return false;
    }
    return true;
}

bool WriteVector(const Document& document, const ExportBox& box, CairoFormat format,
                 std::string* out, std::string* error) {
    std::string bytes;
    Surface surface(
        format == CairoFormat::kPdf
            ? cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, box.Width(), box.Height())
            : cairo_ps_surface_create_for_stream(AppendBytes, &bytes, box.Width(),
                                                 EpsPageHeight(box.Height())));
    if (format == CairoFormat::kPdf) {
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE,
                                       kExportCreationDate);
    } else {
        cairo_ps_surface_set_eps(surface.get(), true);
    }
    {
        Context cr(cairo_create(surface.get()));
        SetDocumentMatrix(cr.get(), box, 1,
                          format == CairoFormat::kEps ? EpsShiftDown(box.Height()) : 0);
        DrawArt(cr.get(), document);
        cairo_show_page(cr.get());
        if (!Finish(cr.get(), surface.get(), error)) return false;
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        if (error != nullptr)
            *error = std::string("cairo: ") +
                     cairo_status_to_string(cairo_surface_status(surface.get()));
        return false;
    }
    if (format == CairoFormat::kPdf) FixPdfDate(&bytes);
    if (format == CairoFormat::kEps) StateEpsBox(&bytes, box.Width(), box.Height());
    *out += bytes;
    return true;
}

bool WritePng(const Document& document, const ExportBox& box, const CairoOptions& options,
              std::string* out, std::string* error) {
    int width = 0, height = 0;
    if (!PngSize(box, options.dpi, &width, &height, error)) return false;
    const double scale = options.dpi / 72;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    {
        Context cr(cairo_create(surface.get()));
        if (!options.transparent) {
            cairo_set_source_rgb(cr.get(), 1, 1, 1);
            cairo_paint(cr.get());
        }
        // Crisp module edges: a pixel is dark or light, never a mix.
        cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
        SetDocumentMatrix(cr.get(), box, scale);
        DrawArt(cr.get(), document);
        if (!Finish(cr.get(), surface.get(), error)) return false;
    }
    std::string bytes;
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &bytes);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error != nullptr) *error = std::string("cairo: ") + cairo_status_to_string(status);
        return false;
    }
    *out += bytes;
    return true;
}

}  // namespace

bool WriteDocumentCairo(const Document& document, const ExportBox& box, CairoFormat format,
                        const CairoOptions& options, std::string* out, std::string* error) {
    if (format == CairoFormat::kPng) return WritePng(document, box, options, out, error);
    return WriteVector(document, box, format, out, error);
}

}  // namespace standin
