#include "standin/cli/symbol_output.h"

#if ORVELK_ENCODE_PNG
#include <png.h>
#endif

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "standin/export/eps_box.h"
#include "standin/export/export_geometry.h"
#include "standin/export/number_text.h"

#if ORVELK_ENCODE_CAIRO
#include "standin/export/cairo_module.h"
#endif

namespace {

bool Dark(const ModuleMatrix& m, int x, int y) {
    return m.modules[x * kMaxSide + y] != 0;
}

// Dark at (x, y) of the symbol with a quiet zone of `border` modules.
bool DarkWithBorder(const ModuleMatrix& m, int border, int x, int y) {
    x -= border;
    y -= border;
    return x >= 0 && y >= 0 && x < m.side && y < m.side && Dark(m, x, y);
}

void AppendHexColour(std::string* out, const RgbaColour& c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.red, c.green, c.blue);
    out->append(hex);
}

// ' fill="#rrggbb"', with its opacity when it is not 1.
void AppendFill(std::string* out, const RgbaColour& c) {
    out->append(" fill=\"");
    AppendHexColour(out, c);
    out->append("\"");
    if (c.alpha != 255) {
        out->append(" fill-opacity=\"");
        standin::AppendShortest(out, c.alpha / 255.0);
        out->append("\"");
    }
}

void AppendInt(std::string* out, int v) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out->append(digits, end);
}

#if ORVELK_ENCODE_PNG
void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
#endif

}  // namespace

void AppendSymbolText(std::string* out, const ModuleMatrix& m) {
    for (int y = 0; y < m.side; ++y) {
        for (int x = 0; x < m.side; ++x) *out += Dark(m, x, y) ? '1' : '0';
        *out += '\n';
    }
}

void AppendSymbolUtf8(std::string* out, const ModuleMatrix& m, int border) {
    // Indexed by (top light) * 2 + (bottom light): blank, lower half, upper
    // half, full block.
    static const char* const kCells[4] = {" ", "\u2584", "\u2580", "\u2588"};
    const int n = m.side + 2 * border;
    for (int y = 0; y < n; y += 2) {
        for (int x = 0; x < n; ++x) {
            const bool top = !DarkWithBorder(m, border, x, y);
            const bool bottom = y + 1 < n ? !DarkWithBorder(m, border, x, y + 1) : false;
            out->append(kCells[(top ? 2 : 0) + (bottom ? 1 : 0)]);
        }
        *out += '\n';
    }
}

void AppendSymbolSvg(std::string* out, const ModuleMatrix& m, double cellMillimetres,
                     const SymbolStyle& style) {
    const int n = m.side + 2 * style.border;
    // To the nanometre, so that 29 modules of 0.33 mm read 9.57, not the
    // binary product's 9.570000000000002.
    const double size = std::round(n * cellMillimetres * 1e9) / 1e9;
    out->append(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
    standin::AppendShortest(out, size);
    out->append("mm\" height=\"");
    standin::AppendShortest(out, size);
    out->append("mm\" viewBox=\"0 0 ");
    AppendInt(out, n);
    *out += ' ';
    AppendInt(out, n);
    out->append("\" shape-rendering=\"crispEdges\">\n<rect width=\"");
    AppendInt(out, n);
    out->append("\" height=\"");
    AppendInt(out, n);
    out->append("\"");
    AppendFill(out, style.light);
    out->append("/>\n<path");
    AppendFill(out, style.dark);
    out->append(" d=\"");
    // One sub-path per horizontal run of dark modules: "M<x> <y>h<n>v1h-<n>z".
    for (int y = 0; y < m.side; ++y) {
        for (int x = 0; x < m.side;) {
            if (!Dark(m, x, y)) {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < m.side && Dark(m, x + run, y)) ++run;
            *out += 'M';
            AppendInt(out, x + style.border);
            *out += ' ';
            AppendInt(out, y + style.border);
            *out += 'h';
            AppendInt(out, run);
            out->append("v1h-");
            AppendInt(out, run);
            *out += 'z';
            x += run;
        }
    }
    out->append("\"/>\n</svg>\n");
}

#if ORVELK_ENCODE_PNG

namespace {

// What a PNG's writing needs, worked out before libpng's jump point so that
// nothing of it is lost to a longjmp.
struct PngLayout {
    int side;      // pixels
    int scale;     // pixels per module
    int channels;  // 1 grey, 3 RGB, 4 RGBA
    int colourType;
    png_uint_32 perMetre;
};

// libpng's error handler: keeps the message for the command's own and
// leaves through the jump point.
[[noreturn]] void KeepPngError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

// libpng's warnings are not the command's to print.
void IgnorePngWarning(png_structp, png_const_charp) {}

bool WritePng(std::string* out, const ModuleMatrix& m, const SymbolStyle& style,
              const PngLayout& layout, std::string* error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, error, KeepPngError, IgnorePngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(layout.side) * layout.channels);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendToString, nullptr);
    png_set_IHDR(png, info, layout.side, layout.side, 8, layout.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, layout.perMetre, layout.perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int py = 0; py < layout.side; ++py) {
        for (int px = 0; px < layout.side; ++px) {
            const bool dark = DarkWithBorder(m, style.border, px / layout.scale, py / layout.scale);
            const RgbaColour& c = dark ? style.dark : style.light;
            png_byte* pixel = &row[static_cast<size_t>(px) * layout.channels];
            const png_byte channels[4] = {c.red, c.green, c.blue, c.alpha};
            for (int i = 0; i < layout.channels; ++i) pixel[i] = channels[i];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool AppendSymbolPng(std::string* out, const ModuleMatrix& m, int scale, double pixelsPerMetre,
                     const SymbolStyle& style, std::string* why) {
    assert(scale >= 1);
    const bool grey =
        style.dark == RgbaColour{0, 0, 0, 255} && style.light == RgbaColour{255, 255, 255, 255};
    const bool alpha = style.dark.alpha != 255 || style.light.alpha != 255;
    const PngLayout layout = {
        (m.side + 2 * style.border) * scale,
        scale,
        grey    ? 1
        : alpha ? 4
                : 3,
        grey    ? PNG_COLOR_TYPE_GRAY
        : alpha ? PNG_COLOR_TYPE_RGBA
                : PNG_COLOR_TYPE_RGB,
        static_cast<png_uint_32>(std::lround(pixelsPerMetre)),
    };
    // The limits of every PNG the stand-in writes.
    if (!standin::PngPixelsFit(layout.side, layout.side, "--scale, --dpi or --cell", why))
        return false;
    std::string error;
    if (WritePng(out, m, style, layout, &error)) return true;
    *why = "libpng failed to write the image";
    if (!error.empty()) why->append(": ").append(error);
    return false;
}

bool CanWriteSymbolPng() {
    return true;
}

#else

bool AppendSymbolPng(std::string*, const ModuleMatrix&, int, double, const SymbolStyle&,
                     std::string* why) {
    *why = "this build has no libpng";
    return false;
}

bool CanWriteSymbolPng() {
    return false;
}

#endif

#if ORVELK_ENCODE_CAIRO

bool CanWriteSymbolVector() {
    return true;
}

bool AppendSymbolVector(std::string* out, const ModuleMatrix& m, double cellMillimetres,
                        const SymbolStyle& style, bool eps, std::string* why) {
    constexpr double kPointsPerMillimetre = 72 / 25.4;
    const standin::CairoExportCalls* cairo = standin::CairoExport(why);
    if (cairo == nullptr) return false;
    standin::ModuleDrawing drawing;
    drawing.side = m.side;
    drawing.border = style.border;
    drawing.cellPoints = cellMillimetres * kPointsPerMillimetre;
    drawing.dark.resize(static_cast<size_t>(m.side) * m.side);
    for (int x = 0; x < m.side; ++x)
        for (int y = 0; y < m.side; ++y)
            drawing.dark[static_cast<size_t>(x) * m.side + y] = Dark(m, x, y) ? 1 : 0;
    const RgbaColour* colours[2] = {&style.dark, &style.light};
    double* targets[2] = {drawing.darkColor, drawing.lightColor};
    for (int i = 0; i < 2; ++i) {
        targets[i][0] = colours[i]->red / 255.0;
        targets[i][1] = colours[i]->green / 255.0;
        targets[i][2] = colours[i]->blue / 255.0;
        targets[i][3] = colours[i]->alpha / 255.0;
    }
    return cairo->writeModules(drawing, eps, out, why);
}

#else

bool CanWriteSymbolVector() {
    return false;
}

bool AppendSymbolVector(std::string*, const ModuleMatrix&, double, const SymbolStyle&, bool,
                        std::string* why) {
    *why = "this build has no cairo";
    return false;
}

#endif
