// BitBlt: blocks of pixels combined by raster operations, converted between
// monochrome and colour on the way.
//
// A monochrome source in a colour destination becomes the destination's text
// colour (0 pixels) and background colour (1 pixels); a colour source in a
// monochrome destination becomes white where it equals the source's
// background colour and black elsewhere. The destination's brush is the
// pattern. The block is clipped to the destination and, when the operation
// reads a source, to the source: destination pixels without a source pixel
// are left as they are. A width or height of 0 draws nothing and succeeds;
// a negative one reaches the other way from the same edge, in the
// destination and in the source alike (x = 2, width = -2 is columns 1 and 2),
// as Windows does.
#include <algorithm>

#include "platform/gdi_log.h"
#include "platform/gdi_pixels.h"
#include "platform/win_files.h"

using gdi::Call;
using gdi::Object;

namespace {

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The source pixel as the destination's format has it.
struct SourceConversion {
    bool monoToColour = false;
    bool colourToMono = false;
    uint32_t zeroPixel = 0;  // mono to colour: what 0 and 1 become
    uint32_t onePixel = 0;
    uint32_t background = 0;  // colour to mono: what becomes white

    uint32_t operator()(uint32_t pixel) const {
        pixel &= gdi::kWhite;
        if (monoToColour) return pixel == gdi::kBlack ? zeroPixel : onePixel;
        if (colourToMono) return pixel == background ? gdi::kWhite : gdi::kBlack;
        return pixel;
    }
};

SourceConversion ConversionOf(const Object& dest, const gdi::Surface& d, const Object& source,
                              const gdi::Surface& s) {
    SourceConversion c;
    c.monoToColour = s.mono && !d.mono;
    c.colourToMono = !s.mono && d.mono;
    c.zeroPixel = gdi::PixelOf(dest.dc.textColor);
    c.onePixel = gdi::PixelOf(dest.dc.bkColor);
    c.background = gdi::PixelOf(source.dc.bkColor);
    return c;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    Call call("BitBlt", dest, x, y, width, height, source, sx, sy, gdi::Hex{rop});
    const auto operation = static_cast<uint8_t>(rop >> 16);
    const bool usesSource = gdi::UsesSource(operation);
    const Object* d = gdi::FindDC(dest);
    const Object* s = usesSource ? gdi::FindDC(source) : nullptr;
    if (d == nullptr || (usesSource && s == nullptr)) return call.Done(Fail(ERROR_INVALID_HANDLE));
    if (width == 0 || height == 0) return call.Done(BOOL{TRUE});
    if (width < 0) {
        x = static_cast<int>(int64_t{x} + width + 1);
        sx = static_cast<int>(int64_t{sx} + width + 1);
        width = static_cast<int>(-int64_t{width});
    }
    if (height < 0) {
        y = static_cast<int>(int64_t{y} + height + 1);
        sy = static_cast<int>(int64_t{sy} + height + 1);
        height = static_cast<int>(-int64_t{height});
    }

    const gdi::Surface ds = gdi::SurfaceOf(*d);
    gdi::Surface ss;
    int64_t left = x, top = y, right = int64_t{x} + width, bottom = int64_t{y} + height;
    const int64_t offsetX = int64_t{sx} - x, offsetY = int64_t{sy} - y;  // source minus dest
    if (usesSource) {
        ss = gdi::SurfaceOf(*s);
        left = std::max(left, -offsetX);
        top = std::max(top, -offsetY);
        right = std::min(right, ss.width - offsetX);
        bottom = std::min(bottom, ss.height - offsetY);
    }
    gdi::Block block;
    if (!gdi::ClipToSurface(left, top, right, bottom, ds, &block)) return call.Done(BOOL{TRUE});
    // A source that overlaps the destination in the same pixels is read
    // before it is overwritten: rows and columns run away from the overlap.
    const bool sameSurface = usesSource && ss.base == ds.base && ss.stride == ds.stride;
    const bool upward = sameSurface && offsetY < 0;
    const bool leftward = sameSurface && offsetY == 0 && offsetX < 0;
    SourceConversion convert;
    if (usesSource) convert = ConversionOf(*d, ds, *s, ss);
    const Object* brush = gdi::Find(gdi::AsPointer(d->dc.brush), gdi::Kind::Brush);
    const uint32_t pattern = gdi::BrushPixel(brush->brush.color, ds.mono);
    const int rows = block.y1 - block.y0, columns = block.x1 - block.x0;
    for (int i = 0; i < rows; ++i) {
        const int row = upward ? block.y1 - 1 - i : block.y0 + i;
        for (int j = 0; j < columns; ++j) {
            const int col = leftward ? block.x1 - 1 - j : block.x0 + j;
            const uint32_t src =
                usesSource ? convert(gdi::Load(ss, int(col + offsetX), int(row + offsetY))) : 0;
            const uint32_t out = operation == 0xCC  // SRCCOPY
                                     ? src
                                     : gdi::Ternary(operation, pattern, src,
                                                    gdi::Load(ds, col, row) & gdi::kWhite);
            gdi::Store(ds, col, row, out);
        }
    }
    return call.Done(BOOL{TRUE});
}
