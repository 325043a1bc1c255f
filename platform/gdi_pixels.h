// Pixel surfaces and the colour rules of the GDI layer: what a colour
// becomes on a monochrome surface, filling, and the raster operations.
// Internal to the platform library.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gdi_objects.h"

namespace gdi {

static_assert(std::endian::native == std::endian::little, "pixels are stored as in memory");

inline constexpr uint32_t kBlack = 0;
inline constexpr uint32_t kWhite = 0x00FFFFFF;

// Rows of 32-bit pixels (see BitmapData), top row first, `stride` bytes
// apart; no alignment is assumed.
struct Surface {
    uint8_t* base = nullptr;
    ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    bool mono = false;
};

// The pixels of a bitmap.
Surface SurfaceOf(BitmapData& bitmap);
// The pixels a device context draws on: its selected bitmap or the caller's.
Surface SurfaceOf(const Object& dc);

inline uint32_t Load(const Surface& s, int x, int y) {
    uint32_t v;
    std::memcpy(&v, s.base + y * s.stride + ptrdiff_t{x} * 4, sizeof v);
    return v;
}

inline void Store(const Surface& s, int x, int y, uint32_t v) {
    std::memcpy(s.base + y * s.stride + ptrdiff_t{x} * 4, &v, sizeof v);
}

// A COLORREF as a pixel, and back.
inline uint32_t PixelOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ColorOf(uint32_t pixel) { return PixelOf(pixel & kWhite); }

// What a colour becomes on a monochrome surface when GDI picks the nearest
// of its two colours: white when red + green + blue is 383 or more (nearer
// white than black), else black. Brushes and SetDIBits use this rule; the
// documentation does not give one.
uint32_t MonoFromColor(COLORREF color);

// The pixel a brush of `color` paints on a surface of the given format.
inline uint32_t BrushPixel(COLORREF color, bool mono) {
    return mono ? MonoFromColor(color) : PixelOf(color);
}

// A 32-bit device-independent pixel (blue, green, red, fourth byte) as
// stored on a surface of the given format: a colour surface keeps all four
// bytes, as Windows' 32-bit bitmaps do.
inline uint32_t FromDibPixel(uint32_t dib, bool mono) {
    return mono ? MonoFromColor(ColorOf(dib)) : dib;
}

// A block of pixel columns [x0, x1) and rows [y0, y1).
struct Block {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

// The part of the rectangle [left, right) x [top, bottom) on the surface;
// false when none (an empty or inverted rectangle included).
bool ClipToSurface(int64_t left, int64_t top, int64_t right, int64_t bottom, const Surface& s,
                   Block* block);

// Sets every pixel of `block` to `pixel`.
void FillBlock(const Surface& s, const Block& block, uint32_t pixel);

// The ternary raster operation with index `rop` (bits 16 to 23 of a raster
// operation code) on pattern, source and destination pixels, bit by bit.
uint32_t Ternary(uint8_t rop, uint32_t pattern, uint32_t source, uint32_t dest);

// Whether the operation reads the source, or the pattern.
inline bool UsesSource(uint8_t rop) { return ((rop >> 2) ^ rop) & 0x33; }
inline bool UsesPattern(uint8_t rop) { return ((rop >> 4) ^ rop) & 0x0F; }

}  // namespace gdi
