// A dialog's pixels: the client area that draw procedures paint on through
// GDI, kept apart from the layout (dialog_layout.h) and from the picture of
// the whole dialog (standin/render/). 32-bit pixels, the bytes blue, green,
// red and one left 0, top row first: the layout of the device contexts that
// GdiCreateSurfaceDC makes and of cairo's RGB24 images.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "hostapi/adm_types.h"
#include "platform/win_gdi.h"

namespace standin {

// The dialog's face colour, which every pixel has until something paints it:
// the classic 3-D face of Windows, RGB(212, 208, 200).
inline constexpr COLORREF kDialogFaceColor = RGB(212, 208, 200);

// The largest client area the stand-in keeps pixels for, in each direction;
// a larger dialog is cut to it.
inline constexpr int32_t kMaxSurfaceSide = 4096;

// An image of 32-bit pixels, rows of width x 4 bytes, top row first.
struct PixelImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bytes;

    // The pixel at (x, y) as a COLORREF; the caller keeps (x, y) inside.
    COLORREF At(int32_t x, int32_t y) const;
};

// A client area of `width` x `height` pixels (each cut to 0 to
// kMaxSurfaceSide) in the face colour.
PixelImage MakeDialogSurface(int32_t width, int32_t height);

// Fills the part of `rect` inside `image` with `color`.
void FillPixels(PixelImage* image, const ADMRect& rect, COLORREF color);

// The pixels of `rect` (in `image`'s coordinates); parts outside `image` are
// the face colour. Empty for an empty or inverted rectangle.
PixelImage CropPixels(const PixelImage& image, const ADMRect& rect);

// What paints on an item: a device context whose (0, 0) is the item's top
// left.
using ItemPainter = std::function<void(HDC dc)>;

// Why PaintItem painted nothing.
enum class ItemPaintStatus {
    kPainted,
    kEmpty,     // the item has no pixels (width or height below 1) or none inside the surface
    kTooLarge,  // the item lies partly outside the surface and is larger than it may be
    kNoDC,      // the GDI layer made no device context
};

// Erases `rect` (the item's rectangle in `surface`) to the face colour and
// lets `paint` draw on it through a device context over the item's pixels,
// released when `paint` returns. An item inside the surface is painted in
// place (the device context's rows are the surface's rows); one partly
// outside is painted in an item-sized buffer of which the part inside is
// then copied, so that nothing is written outside the surface.
ItemPaintStatus PaintItem(PixelImage* surface, const ADMRect& rect, const ItemPainter& paint);

}  // namespace standin
