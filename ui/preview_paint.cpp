#include "ui/preview_paint.h"

#include <cassert>
#include <cstddef>

#include "globals/plugin_state.h"
#include "ui/dialog_items.h"
#include "ui/module_painter.h"
#include "ui/working_buffer.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int32_t kBytesPerPixel = 4;  // blue, green, red, unused
constexpr int32_t kRedByte = 2;
constexpr uint8_t kUnreachedGrey = 255;

// A memory device context with the bitmap it draws on.
struct Offscreen {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ firstBitmap;  // what the device context held when it was made; null until replaced
};

// What the paint of a symbol makes, all released by ReleaseSymbolPaint.
struct SymbolPaint {
    Offscreen picture;  // side x side pixels, 3 a module
    Offscreen target;   // width x height pixels, what the item shows
    int32_t side;
    double scale;
    int32_t width;
    int32_t height;
    BITMAPINFO pictureInfo;
    BITMAPINFO targetInfo;
    uint8_t* picturePixels;
    uint8_t* targetPixels;
    int32_t* sums;
    int32_t* counts;
};

// Makes a memory device context compatible with the item's and a bitmap of
// width x height pixels selected into it. The bitmap is made compatible with
// the item's device context, not with the memory one: that still holds its
// first, monochrome bitmap, and the averaged picture needs grey. False when
// something cannot be made; what was made is in `o`.
bool MakeOffscreen(HDC itemDC, int32_t width, int32_t height, Offscreen* o) {
    o->dc = CreateCompatibleDC(itemDC);
    if (o->dc == nullptr) return false;
    o->bitmap = CreateCompatibleBitmap(itemDC, width, height);
    if (o->bitmap == nullptr) return false;
    o->firstBitmap = SelectObject(o->dc, o->bitmap);
    return o->firstBitmap != nullptr;
}

// A 32-bit bottom-up header for `bitmap` from its own size, which must be
// width x height. False when the bitmap cannot be described or has another
// size.
bool DescribeBitmap(HBITMAP bitmap, int32_t width, int32_t height, BITMAPINFO* info) {
    BITMAP described = {};
    if (GetObjectA(bitmap, sizeof described, &described) == 0) return false;
    if (described.bmWidth != width || described.bmHeight != height) return false;
    *info = {};
    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = described.bmWidth;
    header.biHeight = described.bmHeight;  // positive: bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * kBytesPerPixel;
    return true;
}

// Selects a placeholder of the header's size, compatible with the item's
// device context, into `o`'s device context in place of its bitmap, so that
// the bitmap's pixels can be read or written while it is selected nowhere.
// Null when that cannot be done.
HBITMAP SwapInPlaceholder(HDC itemDC, const BITMAPINFO& info, const Offscreen& o) {
    HBITMAP placeholder =
        CreateDIBitmap(itemDC, &info.bmiHeader, 0, nullptr, nullptr, DIB_RGB_COLORS);
    if (placeholder == nullptr) return nullptr;
    if (SelectObject(o.dc, placeholder) == nullptr) {
        DeleteObject(placeholder);
        return nullptr;
    }
    return placeholder;
}

// Selects `o`'s bitmap back in place of `placeholder` and deletes it.
void SwapOutPlaceholder(HBITMAP placeholder, const Offscreen& o) {
    SelectObject(o.dc, o.bitmap);
    DeleteObject(placeholder);
}

// The full-size picture: white, and the dark modules at 3 pixels a module,
// centred.
bool PaintPicture(HDC itemDC, const ModuleMatrix* matrix, HBRUSH black, HBRUSH white,
                  SymbolPaint* p) {
    if (!MakeOffscreen(itemDC, p->side, p->side, &p->picture)) return false;
    RECT all;
    SetRect(&all, 0, 0, p->side, p->side);
    FillRect(p->picture.dc, &all, white);
    PaintModules(p->picture.dc, matrix, p->side / 2, p->side / 2, kPreviewPixelsPerModule, black);
    return true;
}

// The scale and size of the target inside `field`, 2 pixels inside the
// item's rectangle: never above 1, the same on both axes. False when not one
// pixel of it fits.
bool ChooseTargetSize(const RECT& field, SymbolPaint* p) {
    RECT inner = field;
    InflateRect(&inner, -1, -1);
    const double sx = static_cast<double>(inner.right - inner.left) / p->side;
    const double sy = static_cast<double>(inner.bottom - inner.top) / p->side;
    double scale = sx < sy ? sx : sy;
    if (scale > 1) scale = 1;
    p->scale = scale;
    p->width = static_cast<int32_t>(p->side * scale);
    p->height = static_cast<int32_t>(p->side * scale);
    return p->width >= 1;
}

// The picture's pixels as 32 bits each, read while a placeholder stands in
// its place.
bool ReadPicture(HDC itemDC, SymbolPaint* p) {
    if (!DescribeBitmap(p->picture.bitmap, p->side, p->side, &p->pictureInfo)) return false;
    HBITMAP placeholder = SwapInPlaceholder(itemDC, p->pictureInfo, p->picture);
    if (placeholder == nullptr) return false;
    const size_t bytes =
        static_cast<size_t>(p->side) * static_cast<size_t>(p->side) * kBytesPerPixel;
    p->picturePixels = static_cast<uint8_t*>(ObtainWorkingBuffer(bytes, "preview picture"));
    const bool read = p->picturePixels != nullptr &&
                      GetDIBits(p->picture.dc, p->picture.bitmap, 0, static_cast<UINT>(p->side),
                                p->picturePixels, &p->pictureInfo, DIB_RGB_COLORS) == p->side;
    SwapOutPlaceholder(placeholder, p->picture);
    return read;
}

// The target's pixels averaged from the picture and written into the target
// bitmap while a placeholder stands in its place.
bool WriteTarget(HDC itemDC, SymbolPaint* p) {
    if (!DescribeBitmap(p->target.bitmap, p->width, p->height, &p->targetInfo)) return false;
    HBITMAP placeholder = SwapInPlaceholder(itemDC, p->targetInfo, p->target);
    if (placeholder == nullptr) return false;
    const size_t pixels = static_cast<size_t>(p->width) * static_cast<size_t>(p->height);
    p->sums = static_cast<int32_t*>(ObtainWorkingBuffer(pixels * sizeof(int32_t), "preview sums"));
    p->counts =
        static_cast<int32_t*>(ObtainWorkingBuffer(pixels * sizeof(int32_t), "preview counts"));
    p->targetPixels =
        static_cast<uint8_t*>(ObtainWorkingBuffer(pixels * kBytesPerPixel, "preview target"));
    bool written = false;
    if (p->sums != nullptr && p->counts != nullptr && p->targetPixels != nullptr) {
        AveragePicture(p->picturePixels, p->side, p->scale, p->width, p->height, p->sums, p->counts,
                       p->targetPixels);
        ReleaseWorkingBuffer(p->sums);
        ReleaseWorkingBuffer(p->counts);
        ReleaseWorkingBuffer(p->picturePixels);
        p->sums = p->counts = nullptr;
        p->picturePixels = nullptr;
        written = SetDIBits(p->target.dc, p->target.bitmap, 0, static_cast<UINT>(p->height),
                            p->targetPixels, &p->targetInfo, DIB_RGB_COLORS) == p->height;
    }
    SwapOutPlaceholder(placeholder, p->target);
    ReleaseWorkingBuffer(p->targetPixels);
    p->targetPixels = nullptr;
    return written;
}

// Releases whatever the paint still holds: the buffers, then both memory
// device contexts given back their first bitmaps, both bitmaps, both
// device contexts.
void ReleaseSymbolPaint(SymbolPaint* p) {
    ReleaseWorkingBuffer(p->sums);
    ReleaseWorkingBuffer(p->counts);
    ReleaseWorkingBuffer(p->picturePixels);
    ReleaseWorkingBuffer(p->targetPixels);
    Offscreen* const both[] = {&p->picture, &p->target};
    for (Offscreen* o : both) {
        if (o->firstBitmap != nullptr) SelectObject(o->dc, o->firstBitmap);
    }
    for (Offscreen* o : both) {
        if (o->bitmap != nullptr) DeleteObject(o->bitmap);
    }
    for (Offscreen* o : both) {
        if (o->dc != nullptr) DeleteDC(o->dc);
    }
}

// The symbol of `matrix` inside the white `field` of the item's rectangle
// `item`, centred on the whole item.
void PaintSymbol(HDC itemDC, const RECT& item, const RECT& field, const ModuleMatrix* matrix,
                 HBRUSH black, HBRUSH white) {
    SymbolPaint p = {};
    p.side = kPreviewPixelsPerModule * (matrix->side + 2 * kQuietZoneModules);
    assert(p.side <= kMaxPreviewPictureSide);
    if (PaintPicture(itemDC, matrix, black, white, &p) && ChooseTargetSize(field, &p) &&
        MakeOffscreen(itemDC, p.width, p.height, &p.target) && ReadPicture(itemDC, &p) &&
        WriteTarget(itemDC, &p)) {
        const int32_t x0 = (item.right - item.left - p.width) / 2 + item.left;
        const int32_t y0 = (item.bottom - item.top - p.height) / 2 + item.top;
        BitBlt(itemDC, x0, y0, p.width, p.height, p.target.dc, 0, 0, SRCCOPY);
    }
    ReleaseSymbolPaint(&p);
}

}  // namespace

void HOST_CALL DrawSymbolPreview(ADMItemRef item, ADMDrawerRef drawer) {
    const ADMDrawerSuite* admDrawer = gPluginState.admDrawer;
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admDrawer == nullptr || admItem == nullptr) return;
    HDC dc = reinterpret_cast<HDC>(admDrawer->GetPortRef(drawer));
    ADMRect local = {};
    admItem->GetLocalRect(item, &local);
    const PluginGlobals* globals = gPluginState.globals;
    PaintSymbolPreview(dc, local, globals != nullptr ? globals->previewMatrix : nullptr);
}

void PaintSymbolPreview(HDC dc, const ADMRect& itemRect, const ModuleMatrix* matrix) {
    HBRUSH black = CreateSolidBrush(kBlack);
    HBRUSH white = CreateSolidBrush(kWhite);
    if (black != nullptr && white != nullptr) {
        RECT item;
        SetRect(&item, itemRect.left, itemRect.top, itemRect.right, itemRect.bottom);
        FrameRect(dc, &item, black);
        RECT field = item;
        InflateRect(&field, -1, -1);
        FillRect(dc, &field, white);
        if (matrix != nullptr && matrix->side != 0) {
            PaintSymbol(dc, item, field, matrix, black, white);
        }
    }
    if (black != nullptr) DeleteObject(black);
    if (white != nullptr) DeleteObject(white);
}

void AveragePicture(const uint8_t* picture, int32_t side, double scale, int32_t width,
                    int32_t height, int32_t* sums, int32_t* counts, uint8_t* target) {
    assert(picture != nullptr && sums != nullptr && counts != nullptr && target != nullptr);
    assert(side > 0 && side <= kMaxPreviewPictureSide && scale > 0 && scale <= 1);
    assert(width >= 1 && height >= 1 && width <= side && height <= side);
    // A target larger than the picture is no shrinking: nothing to average.
    if (width > side || height > side) return;
    // Where each source column lands, and how many land on each target
    // column: the same for every row.
    int32_t targetColumn[kMaxPreviewPictureSide];
    int32_t columnSources[kMaxPreviewPictureSide] = {};
    for (int32_t x = 0; x < side; ++x) {
        const auto tx = static_cast<int32_t>(x * scale + 0.5);
        targetColumn[x] = tx < width - 1 ? tx : width - 1;
        ++columnSources[targetColumn[x]];
    }
    // Rows in the order the bitmap stores them, bottom row first.
    const size_t rowBytes = static_cast<size_t>(side) * kBytesPerPixel;
    for (int32_t y = 0; y < side; ++y) {
        auto ty = static_cast<int32_t>(y * scale + 0.5);
        if (ty > height - 1) ty = height - 1;
        const uint8_t* row = picture + static_cast<size_t>(y) * rowBytes;
        int32_t* rowSums = sums + static_cast<size_t>(ty) * static_cast<size_t>(width);
        int32_t* rowCounts = counts + static_cast<size_t>(ty) * static_cast<size_t>(width);
        for (int32_t x = 0; x < side; ++x) {
            rowSums[targetColumn[x]] += row[x * kBytesPerPixel + kRedByte];
        }
        for (int32_t tx = 0; tx < width; ++tx) rowCounts[tx] += columnSources[tx];
    }
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < pixels; ++i) {
        const auto grey =
            counts[i] != 0 ? static_cast<uint8_t>(sums[i] / counts[i]) : kUnreachedGrey;
        uint8_t* pixel = target + i * kBytesPerPixel;
        pixel[0] = pixel[1] = pixel[2] = grey;
        pixel[3] = 0;
    }
}
