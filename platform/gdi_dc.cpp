// Brushes, bitmaps and device contexts: making, selecting, describing and
// deleting them.
#include <cstring>

#include <algorithm>

#include "platform/gdi_log.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_surface.h"
#include "platform/win_files.h"

using gdi::Call;
using gdi::Find;
using gdi::FindAny;
using gdi::FindDC;
using gdi::Handle;
using gdi::Hex;
using gdi::Kind;
using gdi::Object;

namespace {

template <class T>
T Fail(DWORD error) {
    SetLastError(error);
    return T{};
}

// A new device context of `kind` with the default colours and the stock
// brush (and, for a memory one, the stock bitmap); null on failure.
Object* NewDC(Kind kind, Handle* handle) {
    Object* dc = gdi::NewObject(kind, handle);
    if (dc == nullptr) return nullptr;
    dc->dc.textColor = RGB(0, 0, 0);
    dc->dc.bkColor = RGB(255, 255, 255);
    dc->dc.brush = gdi::HandleOf(gdi::kStockBrushSlot);
    ++Find(gdi::AsPointer(dc->dc.brush), Kind::Brush)->brush.selections;
    if (kind == Kind::MemoryDC) dc->dc.bitmap = gdi::HandleOf(gdi::kStockBitmapSlot);
    return dc;
}

// Frees a device context, leaving its objects alive and unselected.
void FreeDC(Object& dc) {
    gdi::ReleaseSelections(dc);
    gdi::FreeObject(gdi::HandleOf(dc));
}

// The call `name`: frees `dc` if it is a device context of `kind`.
BOOL FreeDCOfKind(const char* name, HDC dc, Kind kind) {
    Call call(name, dc);
    Object* d = Find(dc, kind);
    if (d == nullptr) return call.Done(Fail<BOOL>(ERROR_INVALID_HANDLE));
    FreeDC(*d);
    return call.Done(BOOL{TRUE});
}

HGDIOBJ SelectBitmap(Object& dc, Object& bitmap) {
    if (dc.kind != Kind::MemoryDC) return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER);
    const Handle dcHandle = gdi::HandleOf(dc);
    const Handle handle = gdi::HandleOf(bitmap);
    const Handle previous = dc.dc.bitmap;
    if (previous == handle) return gdi::AsPointer(previous);
    if (!bitmap.stock && bitmap.bitmap.selectedIn != 0) {
        return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER);  // selected elsewhere
    }
    Object* old = Find(gdi::AsPointer(previous), Kind::Bitmap);
    if (!old->stock) old->bitmap.selectedIn = 0;
    if (!bitmap.stock) bitmap.bitmap.selectedIn = dcHandle;
    dc.dc.bitmap = handle;
    return gdi::AsPointer(previous);
}

HGDIOBJ SelectBrush(Object& dc, Object& brush) {
    const Handle previous = dc.dc.brush;
    --Find(gdi::AsPointer(previous), Kind::Brush)->brush.selections;
    ++brush.brush.selections;
    dc.dc.brush = gdi::HandleOf(brush);
    return gdi::AsPointer(previous);
}

// What GetObjectA reports of a bitmap: rows rounded up to whole 16-bit words.
BITMAP BitmapInfoOf(const gdi::BitmapData& b) {
    BITMAP out{};
    out.bmType = 0;
    out.bmWidth = b.width;
    out.bmHeight = b.height;
    const LONG bits = b.mono ? 1 : 32;
    out.bmWidthBytes = (b.width * bits + 15) / 16 * 2;
    out.bmPlanes = 1;
    out.bmBitsPixel = static_cast<WORD>(bits);
    out.bmBits = nullptr;
    return out;
}

template <class T>
int CopyOut(const T& value, int size, LPVOID buffer) {
    if (buffer == nullptr) return sizeof(T);
    if (size < int{sizeof(T)}) return Fail<int>(ERROR_INVALID_PARAMETER);
    std::memcpy(buffer, &value, sizeof(T));
    return sizeof(T);
}

COLORREF SetDCColor(HDC dc, COLORREF color, COLORREF gdi::DCData::*field) {
    Object* d = FindDC(dc);
    if (d == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    const COLORREF previous = d->dc.*field;
    d->dc.*field = color;
    return previous;
}

}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    Call call("CreateSolidBrush", Hex{color});
    Handle handle = 0;
    Object* brush = gdi::NewObject(Kind::Brush, &handle);
    if (brush != nullptr) brush->brush.color = color;
    return call.Done(static_cast<HBRUSH>(gdi::AsPointer(handle)));
}

HDC CreateCompatibleDC(HDC dc) {
    Call call("CreateCompatibleDC", dc);
    if (dc != nullptr && FindDC(dc) == nullptr) return call.Done(Fail<HDC>(ERROR_INVALID_HANDLE));
    Handle handle = 0;
    NewDC(Kind::MemoryDC, &handle);
    return call.Done(static_cast<HDC>(gdi::AsPointer(handle)));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    Call call("CreateCompatibleBitmap", dc, width, height);
    const Object* d = FindDC(dc);
    if (d == nullptr) return call.Done(Fail<HBITMAP>(ERROR_INVALID_HANDLE));
    // A negative size counts as its magnitude, as Windows takes it.
    width = width < 0 ? -std::max(width, -gdi::kMaxSide - 1) : width;
    height = height < 0 ? -std::max(height, -gdi::kMaxSide - 1) : height;
    if (width > gdi::kMaxSide || height > gdi::kMaxSide) {
        return call.Done(Fail<HBITMAP>(ERROR_INVALID_PARAMETER));
    }
    if (width == 0 || height == 0) {
        return call.Done(
            static_cast<HBITMAP>(gdi::AsPointer(gdi::HandleOf(gdi::kStockBitmapSlot))));
    }
    const Handle handle = gdi::NewBitmap(width, height, gdi::CompatibleIsMono(*d));
    return call.Done(static_cast<HBITMAP>(gdi::AsPointer(handle)));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    Call call("SelectObject", dc, object);
    Object* d = FindDC(dc);
    Object* o = FindAny(object);
    if (d == nullptr || o == nullptr) return call.Done(Fail<HGDIOBJ>(ERROR_INVALID_HANDLE));
    if (o->kind == Kind::Bitmap) return call.Done(SelectBitmap(*d, *o));
    if (o->kind == Kind::Brush) return call.Done(SelectBrush(*d, *o));
    return call.Done(Fail<HGDIOBJ>(ERROR_INVALID_HANDLE));
}

int GetObjectA(HANDLE object, int size, LPVOID buffer) {
    Call call("GetObjectA", object, size, gdi::Buffer{buffer});
    const Object* o = FindAny(object);
    if (o != nullptr && o->kind == Kind::Bitmap) {
        return call.Done(CopyOut(BitmapInfoOf(o->bitmap), size, buffer));
    }
    if (o != nullptr && o->kind == Kind::Brush) {
        LOGBRUSH brush{};
        brush.lbStyle = BS_SOLID;
        brush.lbColor = o->brush.color;
        return call.Done(CopyOut(brush, size, buffer));
    }
    return call.Done(Fail<int>(ERROR_INVALID_HANDLE));
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    Call call("SetTextColor", dc, Hex{color});
    return call.Done(Hex{SetDCColor(dc, color, &gdi::DCData::textColor)}).value;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    Call call("SetBkColor", dc, Hex{color});
    return call.Done(Hex{SetDCColor(dc, color, &gdi::DCData::bkColor)}).value;
}

BOOL DeleteObject(HGDIOBJ object) {
    Call call("DeleteObject", object);
    Object* o = FindAny(object);
    if (o == nullptr) return call.Done(Fail<BOOL>(ERROR_INVALID_HANDLE));
    if (o->stock) return call.Done(BOOL{TRUE});
    switch (o->kind) {
        case Kind::MemoryDC: FreeDC(*o); return call.Done(BOOL{TRUE});
        case Kind::Bitmap:
            if (o->bitmap.selectedIn != 0) break;
            gdi::FreeObject(gdi::HandleOf(*o));
            return call.Done(BOOL{TRUE});
        case Kind::Brush:
            if (o->brush.selections != 0) break;
            gdi::FreeObject(gdi::HandleOf(*o));
            return call.Done(BOOL{TRUE});
        case Kind::SurfaceDC:
        case Kind::Free: break;
    }
    return call.Done(Fail<BOOL>(ERROR_INVALID_PARAMETER));
}

BOOL DeleteDC(HDC dc) { return FreeDCOfKind("DeleteDC", dc, Kind::MemoryDC); }

HDC GdiCreateSurfaceDC(int width, int height, ptrdiff_t stride, void* pixels) {
    Call call("GdiCreateSurfaceDC", width, height, static_cast<int>(stride), gdi::Buffer{pixels});
    if (pixels == nullptr || width < 1 || height < 1 || width > gdi::kMaxSide ||
        height > gdi::kMaxSide || stride < ptrdiff_t{width} * 4 ||
        int64_t{stride} > (int64_t{1} << 31)) {  // 64 bits: ptrdiff_t may be 32
        return call.Done(Fail<HDC>(ERROR_INVALID_PARAMETER));
    }
    Handle handle = 0;
    if (Object* dc = NewDC(Kind::SurfaceDC, &handle)) {
        dc->dc.width = width;
        dc->dc.height = height;
        dc->dc.stride = stride;
        dc->dc.pixels = static_cast<uint8_t*>(pixels);
    }
    return call.Done(static_cast<HDC>(gdi::AsPointer(handle)));
}

BOOL GdiReleaseSurfaceDC(HDC dc) {
    return FreeDCOfKind("GdiReleaseSurfaceDC", dc, Kind::SurfaceDC);
}
