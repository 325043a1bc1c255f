#include "standin/export/square_png.h"

#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "standin/export/rectangle_art.h"

namespace standin {
namespace {

// A colour as 8-bit components the way cairo takes a source colour: to 16
// bits, rounded, then the high byte.
struct Rgb8 {
    uint8_t red, green, blue;
    bool operator==(const Rgb8&) const = default;
};

uint8_t Component(double d) {
    const auto wide = static_cast<uint16_t>(d * 65535.0 + 0.5);
    return static_cast<uint8_t>(wide >> 8);
}

Rgb8 PixelColor(const AIColor& color) {
    const RgbColor rgb = ScreenColor(color);
    return {Component(rgb.red), Component(rgb.green), Component(rgb.blue)};
}

// A coordinate in the rasteriser's 24.8 fixed point: to nearest, ties to even.
int64_t Fixed(double device) {
    return static_cast<int64_t>(std::nearbyint(device * 256.0));
}

// The first pixel whose centre lies at or beyond `fixed`: the fixed-point
// value rounded to a whole pixel, halves downwards.
int64_t PixelEdge(int64_t fixed) {
    return (fixed + 127) >> 8;
}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

// What the PNG's writing needs, worked out before libpng's jump point.
struct PngPlan {
    int width, height;
    bool grey;           // 1-bit grey: ink black, paper white, opaque
    Rgb8 ink;            // palette index 1 (grey: 0)
    bool transparent;    // palette index 0 is transparent
    png_uint_32 perMetre;
};

// Pixels [x1, x2) of a row packed 8 pixels a byte, leftmost in the high
// bit, as the bytes they touch: worked out once for a rectangle, then
// marked on each of its rows.
class PixelRun {
  public:
    PixelRun(int64_t x1, int64_t x2)
        : first_(static_cast<size_t>(x1 >> 3)),
          last_(static_cast<size_t>((x2 - 1) >> 3)),
          firstMask_(static_cast<png_byte>(0xFF >> (x1 & 7))),
          lastMask_(static_cast<png_byte>(0xFF << (7 - ((x2 - 1) & 7)))) {
        if (first_ == last_) firstMask_ = lastMask_ = static_cast<png_byte>(firstMask_ & lastMask_);
    }

    // Sets the run's bits in `row`, or with `set` false clears them.
    void Mark(png_byte* row, bool set) const {
        if (set) {
            row[first_] |= firstMask_;
            for (size_t b = first_ + 1; b < last_; ++b) row[b] = 0xFF;
            row[last_] |= lastMask_;
        } else {
            row[first_] &= static_cast<png_byte>(~firstMask_);
            for (size_t b = first_ + 1; b < last_; ++b) row[b] = 0x00;
            row[last_] &= static_cast<png_byte>(~lastMask_);
        }
    }

  private:
    size_t first_, last_;
    png_byte firstMask_, lastMask_;
};

// Writes the packed rows as a PNG; false when libpng fails. Everything is
// prepared before libpng's jump point, so nothing is lost to a longjmp.
bool WritePng(const PngPlan& plan, std::vector<png_bytep>& rows, std::string* out) {
    const png_color palette[2] = {{255, 255, 255}, {plan.ink.red, plan.ink.green, plan.ink.blue}};
    const png_byte alpha[1] = {0};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendToString, nullptr);
    png_set_IHDR(png, info, plan.width, plan.height, 1,
                 plan.grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!plan.grey) {
        png_set_PLTE(png, info, palette, 2);
        if (plan.transparent) png_set_tRNS(png, info, alpha, 1, nullptr);
    }
    png_set_pHYs(png, info, plan.perMetre, plan.perMetre, PNG_RESOLUTION_METER);
    // Unfiltered, at zlib's level 2: its matches find each repeated row a
    // row back. Over a thousand URLs' symbols at 300 dpi (243 pixels a
    // side), libpng and zlib took 128 microseconds and 556 bytes an image
    // at the default level 6, 71 and 580 at level 4, 54 and 674 at level 2,
    // 52 and 689 at level 1, 47 and 955 with the Up filter and run-length
    // matches, and 17 (libpng's own part) stored: level 6 searched long
    // chains of the same bytes for little gain.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 2);
    png_write_info(png, info);
    png_write_rows(png, rows.data(), static_cast<png_uint_32>(rows.size()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// The most pixel memory kept for the next image (a version-40 symbol at
// 1200 dpi is about 700 KB).
constexpr size_t kKeptBytes = size_t{4} << 20;

uint32_t PerMetre(double dpi) {
    return static_cast<uint32_t>(std::lround(dpi / 0.0254));
}

void AppendUint32(std::string* out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(v >> shift));
}

}  // namespace

SquarePngResult WriteSquaresPng(const Document& document, const ExportBox& box,
                                const SquarePngOptions& options, std::string* out,
                                std::string* error) {
    RectangleArt art;
    if (!FindRectangleArt(document, &art)) return SquarePngResult::kNotSquares;
    const Rgb8 ink = art.rectangles.empty() ? Rgb8{0, 0, 0} : PixelColor(art.ink);
    int width = 0, height = 0;
    if (!PngSize(box, options.dpi, &width, &height, error)) return SquarePngResult::kFailed;

    // Document to device as the general renderer's matrix takes it: x' =
    // (s x + 0 y) + x0, y' = (0 x + -s y) + y0.
    const double s = options.dpi / 72;
    const double x0 = -box.left * s;
    const double y0 = box.top * s;
    const PngPlan plan = {width,
                          height,
                          !options.transparent && ink == Rgb8{0, 0, 0},
                          ink,
                          options.transparent,
                          PerMetre(options.dpi)};
    // Packed rows: in grey a set bit is white (the paper), in the palette
    // it is the ink.
    const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
    // Kept for the next image of a batch, which is mostly the same size.
    thread_local std::vector<png_byte> packed;
    thread_local std::vector<png_bytep> rows;
    packed.assign(rowBytes * static_cast<size_t>(height), plan.grey ? 0xFF : 0x00);
    for (const PaintedRectangle& painted : art.rectangles) {
        const ExportBox& b = painted.bounds;
        const int64_t left = PixelEdge(Fixed((s * b.left + 0.0 * b.top) + x0));
        const int64_t right = PixelEdge(Fixed((s * b.right + 0.0 * b.top) + x0));
        const int64_t top = PixelEdge(Fixed((0.0 * b.left + -s * b.top) + y0));
        const int64_t bottom = PixelEdge(Fixed((0.0 * b.left + -s * b.bottom) + y0));
        const int64_t x1 = std::max<int64_t>(left, 0), x2 = std::min<int64_t>(right, width);
        const int64_t y1 = std::max<int64_t>(top, 0), y2 = std::min<int64_t>(bottom, height);
        if (x1 >= x2) continue;
        const PixelRun run(x1, x2);
        for (int64_t y = y1; y < y2; ++y) run.Mark(&packed[y * rowBytes], !plan.grey);
    }
    rows.resize(static_cast<size_t>(height));
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = &packed[y * rowBytes];
    const bool written = WritePng(plan, rows, out);
    if (packed.capacity() > kKeptBytes) {
        packed = {};
        rows = {};
    }
    if (!written) {
        if (error != nullptr) *error = "libpng failed to write the image";
        return SquarePngResult::kFailed;
    }
    return SquarePngResult::kWritten;
}

void AddPngResolution(std::string* png, double dpi) {
    // The signature (8 bytes) and IHDR (4 length, 4 type, 13 data, 4 CRC).
    constexpr size_t kAfterHeader = 8 + 25;
    if (png->size() < kAfterHeader || png->compare(12, 4, "IHDR") != 0) return;
    std::string chunk;
    AppendUint32(&chunk, 9);
    chunk += "pHYs";
    AppendUint32(&chunk, PerMetre(dpi));
    AppendUint32(&chunk, PerMetre(dpi));
    chunk.push_back(1);  // per metre
    const auto* typeAndData = reinterpret_cast<const Bytef*>(chunk.data() + 4);
    AppendUint32(&chunk, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), typeAndData, 13)));
    png->insert(kAfterHeader, chunk);
}

}  // namespace standin
