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

// Whether a rectangle has no pixels, or is inverted.
bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// An inverted rectangle as FillRect paints it: from the same edges the other
// way ({5, 3, 4, 0} is column 5, rows 1 to 3), as Windows does.
RECT Normalized(const RECT& r) {
    RECT n = r;
    if (r.right < r.left) {
        n.left = static_cast<LONG>(int64_t{r.right} + 1);
        n.right = static_cast<LONG>(int64_t{r.left} + 1);
    }
    if (r.bottom < r.top) {
        n.top = static_cast<LONG>(int64_t{r.bottom} + 1);
        n.bottom = static_cast<LONG>(int64_t{r.top} + 1);
    }
    return n;
}

// The call `name`: `draw` paints a rectangle that is not empty with the
// brush's colour on the device context's surface. 0 for a bad device
// context, brush or rectangle, and for an empty or inverted one unless
// `normalize` (FillRect paints an inverted one normalized and succeeds on an
// empty one; FrameRect fails on both), else 1.
template <class Draw>
int DrawRect(const char* name, HDC dc, const RECT* rect, HBRUSH brush, bool normalize, Draw draw) {
    Call call(name, dc, rect, brush);
    const gdi::Object* d = gdi::FindDC(dc);
    const gdi::Object* b = gdi::Find(brush, gdi::Kind::Brush);
    if (d == nullptr || b == nullptr || rect == nullptr) {
        SetLastError(rect == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return call.Done(0);
    }
    const RECT r = normalize ? Normalized(*rect) : *rect;
    if (IsEmpty(r)) return call.Done(normalize ? 1 : 0);
    draw(gdi::SurfaceOf(*d), r, b->brush.color);
    return call.Done(1);
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
    return DrawRect("FillRect", dc, rect, brush, true,
                    [](const gdi::Surface& s, const RECT& r, COLORREF c) {
                        Paint(s, r.left, r.top, r.right, r.bottom, c);
                    });
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return DrawRect(
        "FrameRect", dc, rect, brush, false, [](const gdi::Surface& s, const RECT& r, COLORREF c) {
            const int64_t left = r.left, top = r.top, right = r.right, bottom = r.bottom;
            Paint(s, left, top, right, top + 1, c);              // top edge
            Paint(s, left, bottom - 1, right, bottom, c);        // bottom edge
            Paint(s, left, top + 1, left + 1, bottom - 1, c);    // left edge
            Paint(s, right - 1, top + 1, right, bottom - 1, c);  // right edge
        });
}
