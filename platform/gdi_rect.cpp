// Rectangles: setting and growing them, filling and framing them.
#include "platform/gdi_log.h"
#include "platform/gdi_pixels.h"
#include "platform/win_files.h"

using gdi::Call;

namespace {

// Coordinates wrap around as 32-bit values do on Windows.
LONG Wrap(int64_t value) { return static_cast<LONG>(static_cast<uint32_t>(value)); }

// Paints the rectangle [left, right) x [top, bottom), clipped, with `color`.
void Paint(const gdi::Surface& s, int64_t left, int64_t top, int64_t right, int64_t bottom,
           COLORREF color) {
    gdi::Block block;
    if (gdi::ClipToSurface(left, top, right, bottom, s, &block)) {
        gdi::FillBlock(s, block, gdi::BrushPixel(color, s.mono));
    }
}

// Whether a rectangle has no pixels. FillRect and FrameRect draw nothing for
// one and succeed.
bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The device context and brush of a fill, or false with the last error set.
bool Resolve(HDC dc, const RECT* rect, HBRUSH brush, gdi::Object** d, gdi::Object** b) {
    *d = gdi::FindDC(dc);
    *b = gdi::Find(brush, gdi::Kind::Brush);
    if (*d == nullptr || *b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (rect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

}  // namespace

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    Call call("SetRect", left, top, right, bottom);
    if (rect == nullptr) return call.Done(BOOL{FALSE});
    *rect = RECT{left, top, right, bottom};
    return call.Done(BOOL{TRUE});
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    Call call("InflateRect", static_cast<const RECT*>(rect), dx, dy);
    if (rect == nullptr) return call.Done(BOOL{FALSE});
    rect->left = Wrap(int64_t{rect->left} - dx);
    rect->top = Wrap(int64_t{rect->top} - dy);
    rect->right = Wrap(int64_t{rect->right} + dx);
    rect->bottom = Wrap(int64_t{rect->bottom} + dy);
    return call.Done(BOOL{TRUE});
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Call call("FillRect", dc, rect, brush);
    gdi::Object* d;
    gdi::Object* b;
    if (!Resolve(dc, rect, brush, &d, &b)) return call.Done(0);
    if (!IsEmpty(*rect)) {
        Paint(gdi::SurfaceOf(*d), rect->left, rect->top, rect->right, rect->bottom, b->brush.color);
    }
    return call.Done(1);
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Call call("FrameRect", dc, rect, brush);
    gdi::Object* d;
    gdi::Object* b;
    if (!Resolve(dc, rect, brush, &d, &b)) return call.Done(0);
    if (!IsEmpty(*rect)) {
        const gdi::Surface s = gdi::SurfaceOf(*d);
        const int64_t l = rect->left, t = rect->top, r = rect->right, bt = rect->bottom;
        const COLORREF c = b->brush.color;
        Paint(s, l, t, r, t + 1, c);        // top edge
        Paint(s, l, bt - 1, r, bt, c);      // bottom edge
        Paint(s, l, t + 1, l + 1, bt - 1, c);  // left edge
        Paint(s, r - 1, t + 1, r, bt - 1, c);  // right edge
    }
    return call.Done(1);
}
