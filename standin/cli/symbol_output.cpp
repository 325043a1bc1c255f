#include "standin/cli/symbol_output.h"

#include <png.h>

#include <charconv>
#include <string>
#include <vector>

namespace {

bool Dark(const ModuleMatrix& m, int x, int y) { return m.modules[x * kMaxSide + y] != 0; }

}  // namespace

bool WriteSymbolText(FILE* out, const ModuleMatrix& m) {
    std::string line;
    for (int y = 0; y < m.side; ++y) {
        line.clear();
        for (int x = 0; x < m.side; ++x) line += Dark(m, x, y) ? '1' : '0';
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size()) return false;
    }
    return true;
}

bool WriteSymbolSvg(FILE* out, const ModuleMatrix& m, double cellMillimetres) {
    const int n = m.side + 2 * kQuietZoneModules;
    const double size = n * cellMillimetres;
    std::string svg;
    svg.reserve(64 * 1024);
    char head[512];
    std::snprintf(head, sizeof head,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                  "width=\"%.4gmm\" height=\"%.4gmm\" viewBox=\"0 0 %d %d\" "
                  "shape-rendering=\"crispEdges\">\n"
                  "<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n<path fill=\"#000000\" d=\"",
                  size, size, n, n, n, n);
    svg += head;
    // One sub-path per horizontal run of dark modules: "M<x> <y>h<n>v1h-<n>z".
    auto number = [&svg](int v) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
        svg.append(digits, end);
    };
    for (int y = 0; y < m.side; ++y) {
        for (int x = 0; x < m.side;) {
            if (!Dark(m, x, y)) {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < m.side && Dark(m, x + run, y)) ++run;
            svg += 'M';
            number(x + kQuietZoneModules);
            svg += ' ';
            number(y + kQuietZoneModules);
            svg += 'h';
            number(run);
            svg += "v1h-";
            number(run);
            svg += 'z';
            x += run;
        }
    }
    svg += "\"/>\n</svg>\n";
    return std::fwrite(svg.data(), 1, svg.size(), out) == svg.size();
}

bool WriteSymbolPng(FILE* out, const ModuleMatrix& m, int scale) {
    const int n = (m.side + 2 * kQuietZoneModules) * scale;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(n));
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, n, n, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int py = 0; py < n; ++py) {
        const int y = py / scale - kQuietZoneModules;
        for (int px = 0; px < n; ++px) {
            const int x = px / scale - kQuietZoneModules;
            const bool inside = x >= 0 && y >= 0 && x < m.side && y < m.side;
            row[px] = inside && Dark(m, x, y) ? 0 : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fflush(out) == 0;
}
