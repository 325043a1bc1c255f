#include "platform/gdi_pixels.h"

#include <algorithm>
#include <cassert>

namespace gdi {

Surface SurfaceOf(BitmapData& bitmap) {
    assert(bitmap.pixels.size() == size_t(bitmap.width) * size_t(bitmap.height));
    Surface s;
    s.base = reinterpret_cast<uint8_t*>(bitmap.pixels.data());
    s.stride = ptrdiff_t{bitmap.width} * 4;
    s.width = bitmap.width;
    s.height = bitmap.height;
    s.mono = bitmap.mono;
    return s;
}

Surface SurfaceOf(const Object& dc) {
    if (dc.kind == Kind::SurfaceDC) {
        Surface s;
        s.base = dc.dc.pixels;
        s.stride = dc.dc.stride;
        s.width = dc.dc.width;
        s.height = dc.dc.height;
        return s;
    }
    assert(dc.kind == Kind::MemoryDC);
    Object* bitmap = Find(AsPointer(dc.dc.bitmap), Kind::Bitmap);
    assert(bitmap != nullptr);  // a memory device context always holds one
    return SurfaceOf(bitmap->bitmap);
}

uint32_t MonoFromColor(COLORREF color) {
    const unsigned sum = GetRValue(color) + GetGValue(color) + GetBValue(color);
    return sum >= 383 ? kWhite : kBlack;
}

bool ClipToSurface(int64_t left, int64_t top, int64_t right, int64_t bottom, const Surface& s,
                   Block* block) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, s.width);
    bottom = std::min<int64_t>(bottom, s.height);
    if (right <= left || bottom <= top) return false;
    *block = Block{int(left), int(top), int(right), int(bottom)};
    return true;
}

void FillBlock(const Surface& s, const Block& block, uint32_t pixel) {
    for (int y = block.y0; y < block.y1; ++y) {
        for (int x = block.x0; x < block.x1; ++x) Store(s, x, y, pixel);
    }
}

uint32_t Ternary(uint8_t rop, uint32_t pattern, uint32_t source, uint32_t dest) {
    uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (((rop >> i) & 1) == 0) continue;
        const uint32_t p = (i & 4) != 0 ? pattern : ~pattern;
        const uint32_t s = (i & 2) != 0 ? source : ~source;
        const uint32_t d = (i & 1) != 0 ? dest : ~dest;
        result |= p & s & d;
    }
    return result & kWhite;
}

}  // namespace gdi
