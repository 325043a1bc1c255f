#include "standin/render/text_setup.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb.h>
#include <pango/pangofc-fontmap.h>

#include <cmath>

namespace standin {
namespace {

void Replace(FcPattern* pattern, const char* name, int value, bool isBool) {
    FcPatternDel(pattern, name);
    if (isBool) {
        FcPatternAddBool(pattern, name, value != 0 ? FcTrue : FcFalse);
    } else {
        FcPatternAddInteger(pattern, name, value);
    }
}

// Every font pattern gets the same rendering settings, whatever fontconfig's
// configuration on this machine says.
void FixRendering(FcPattern* pattern, gpointer /*data*/) {
    static const struct {
        const char* name;
        int value;
        bool isBool;
    } kSettings[] = {
        {FC_ANTIALIAS, 1, true},
        {FC_HINTING, 1, true},
        {FC_HINT_STYLE, FC_HINT_FULL, false},
        {FC_AUTOHINT, 0, true},
        {FC_RGBA, FC_RGBA_NONE, false},
        {FC_LCD_FILTER, FC_LCD_NONE, false},
        {FC_EMBEDDED_BITMAP, 0, true},
    };
    for (const auto& s : kSettings) Replace(pattern, s.name, s.value, s.isBool);
}

PangoContext* MakeContext() {
    PangoFontMap* map = pango_cairo_font_map_new();
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map), 96.0);
    pango_fc_font_map_set_default_substitute(PANGO_FC_FONT_MAP(map), FixRendering, nullptr,
                                             nullptr);
    PangoContext* context = pango_font_map_create_context(map);
    g_object_unref(map);  // the context holds it
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, TRUE);
    return context;
}

int32_t RoundedPixels(hb_position_t fontUnits, double pixels, unsigned upem) {
    return static_cast<int32_t>(std::lround(std::fabs(fontUnits) * pixels / upem));
}

}  // namespace

PangoContext* DialogTextContext() {
    static PangoContext* const context = MakeContext();
    return context;
}

PangoFontDescription* NewFaceDescription(const DialogFontFace& face, bool bold) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, face.substituteFamily);
    pango_font_description_set_absolute_size(description, face.substitutePixels * PANGO_SCALE);
    pango_font_description_set_weight(description, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    return description;
}

FaceMetrics MeasureFace(const char* family, double pixels) {
    FaceMetrics metrics;
    PangoContext* context = DialogTextContext();
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, family);
    pango_font_description_set_absolute_size(description, pixels * PANGO_SCALE);

    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_text(layout, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", -1);
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    metrics.units.x = (width / 26 + 1) / 2;
    g_object_unref(layout);

    PangoFont* font = pango_context_load_font(context, description);
    if (font != nullptr) {
        PangoFontDescription* loaded = pango_font_describe(font);
        metrics.family = pango_font_description_get_family(loaded);
        pango_font_description_free(loaded);
        // The line metrics in font units, from a font of the face at its em.
        hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(font));
        const unsigned upem = hb_face_get_upem(face);
        hb_font_t* unscaled = hb_font_create(face);
        hb_font_set_scale(unscaled, static_cast<int>(upem), static_cast<int>(upem));
        hb_position_t ascender = 0;
        hb_position_t descender = 0;
        hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
        hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descender);
        hb_font_destroy(unscaled);
        metrics.ascent = RoundedPixels(ascender, pixels, upem);
        metrics.lineHeight = metrics.ascent + RoundedPixels(descender, pixels, upem);
        metrics.units.y = metrics.lineHeight;
        g_object_unref(font);
    }
    pango_font_description_free(description);
    return metrics;
}

}  // namespace standin

// fontconfig keeps its pattern and font-set caches in blocks that point at
// each other by offsets, which LeakSanitizer cannot follow: it would report
// them as lost when a process that drew texts ends. They are fontconfig's
// own and live as long as the process, as the font map does.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
