#include "standin/dialogs/dialog_surface.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#if !defined(_WIN32)
#include "platform/gdi_surface.h"
#endif

namespace standin {
namespace {

// The intersection of `rect` with (0, 0, width, height).
ADMRect Clip(const ADMRect& rect, int32_t width, int32_t height) {
    ADMRect r;
    r.left = std::clamp(rect.left, 0, width);
    r.top = std::clamp(rect.top, 0, height);
    r.right = std::clamp(rect.right, r.left, width);
    r.bottom = std::clamp(rect.bottom, r.top, height);
    return r;
}

size_t Offset(const PixelImage& image, int32_t x, int32_t y) {
    return (static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4;
}

// Copies the `width` x `height` block at (sx, sy) of `from` to (dx, dy) of
// `to`; both blocks lie inside their images.
void CopyBlock(const PixelImage& from, int32_t sx, int32_t sy, PixelImage* to, int32_t dx,
               int32_t dy, int32_t width, int32_t height) {
    assert(width >= 0 && height >= 0);
    for (int32_t row = 0; row < height; ++row)
        std::memcpy(to->bytes.data() + Offset(*to, dx, dy + row),
                    from.bytes.data() + Offset(from, sx, sy + row), static_cast<size_t>(width) * 4);
}

#if defined(_WIN32)
// Paints on `width` x `height` pixels at `pixels`, rows `stride` bytes apart,
// with Windows' own GDI: through a 32-bit top-down DIB section selected into
// a memory device context, the pixels copied into it before the paint and
// back after it. The fourth byte of each pixel is no part of its colour and
// comes back 0, as the other build's device contexts leave it.
ItemPaintStatus PaintThrough(int32_t width, int32_t height, ptrdiff_t stride, uint8_t* pixels,
                             const ItemPainter& paint) {
    assert(width > 0 && height > 0 && stride >= static_cast<ptrdiff_t>(width) * 4);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return ItemPaintStatus::kNoDC;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        DeleteDC(dc);
        return ItemPaintStatus::kNoDC;
    }
    const HGDIOBJ earlier = SelectObject(dc, bitmap);
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    auto* dib = static_cast<uint8_t*>(bits);
    for (int32_t row = 0; row < height; ++row)
        std::memcpy(dib + rowBytes * static_cast<size_t>(row), pixels + stride * row, rowBytes);
    paint(dc);
    GdiFlush();
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* to = pixels + stride * row;
        std::memcpy(to, dib + rowBytes * static_cast<size_t>(row), rowBytes);
        for (size_t x = 3; x < rowBytes; x += 4) to[x] = 0;
    }
    SelectObject(dc, earlier);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ItemPaintStatus::kPainted;
}
#else
// Paints on `width` x `height` pixels at `pixels`, rows `stride` bytes apart.
ItemPaintStatus PaintThrough(int32_t width, int32_t height, ptrdiff_t stride, uint8_t* pixels,
                             const ItemPainter& paint) {
    const HDC dc = GdiCreateSurfaceDC(width, height, stride, pixels);
    if (dc == nullptr) return ItemPaintStatus::kNoDC;
    paint(dc);
    GdiReleaseSurfaceDC(dc);
    return ItemPaintStatus::kPainted;
}
#endif

}  // namespace

COLORREF PixelImage::At(int32_t x, int32_t y) const {
    assert(x >= 0 && y >= 0 && x < width && y < height);
    const uint8_t* p = bytes.data() + Offset(*this, x, y);
    return RGB(p[2], p[1], p[0]);
}

PixelImage MakeDialogSurface(int32_t width, int32_t height) {
    PixelImage image;
    image.width = std::clamp(width, 0, kMaxSurfaceSide);
    image.height = std::clamp(height, 0, kMaxSurfaceSide);
    image.bytes.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
    FillPixels(&image, ADMRect{0, 0, image.width, image.height}, kDialogFaceColor);
    return image;
}

void FillPixels(PixelImage* image, const ADMRect& rect, COLORREF color) {
    const ADMRect r = Clip(rect, image->width, image->height);
    const uint8_t pixel[4] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            std::memcpy(image->bytes.data() + Offset(*image, x, y), pixel, 4);
}

PixelImage CropPixels(const PixelImage& image, const ADMRect& rect) {
    PixelImage out;
    if (rect.right <= rect.left || rect.bottom <= rect.top) return out;
    // The size of the crop is bounded by what the caller may ask; the surface
    // side bounds any rectangle the dialog manager keeps.
    out = MakeDialogSurface(rect.right - rect.left, rect.bottom - rect.top);
    const ADMRect inside = Clip(rect, image.width, image.height);
    const int32_t w = std::min(inside.right - inside.left, out.width - (inside.left - rect.left));
    const int32_t h = std::min(inside.bottom - inside.top, out.height - (inside.top - rect.top));
    if (w > 0 && h > 0)
        CopyBlock(image, inside.left, inside.top, &out, inside.left - rect.left,
                  inside.top - rect.top, w, h);
    return out;
}

ItemPaintStatus PaintItem(PixelImage* surface, const ADMRect& rect, const ItemPainter& paint) {
    const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
    const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
    const ADMRect inside = Clip(rect, surface->width, surface->height);
    if (width < 1 || height < 1 || inside.right <= inside.left || inside.bottom <= inside.top)
        return ItemPaintStatus::kEmpty;
    FillPixels(surface, rect, kDialogFaceColor);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(surface->width) * 4;
    if (inside.left == rect.left && inside.top == rect.top) {
        // The device context covers the visible part; GDI clips the rest.
        return PaintThrough(inside.right - inside.left, inside.bottom - inside.top, stride,
                            surface->bytes.data() + Offset(*surface, rect.left, rect.top), paint);
    }
    if (width > kMaxSurfaceSide || height > kMaxSurfaceSide) return ItemPaintStatus::kTooLarge;
    PixelImage item = MakeDialogSurface(static_cast<int32_t>(width), static_cast<int32_t>(height));
    const ItemPaintStatus status = PaintThrough(
        item.width, item.height, static_cast<ptrdiff_t>(item.width) * 4, item.bytes.data(), paint);
    if (status == ItemPaintStatus::kPainted)
        CopyBlock(item, inside.left - rect.left, inside.top - rect.top, surface, inside.left,
                  inside.top, inside.right - inside.left, inside.bottom - inside.top);
    return status;
}

}  // namespace standin
