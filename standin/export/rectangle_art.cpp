#include "standin/export/rectangle_art.h"

#include <cmath>

#include "standin/export/art_walk.h"

namespace standin {
namespace {

bool Straight(const AIPathSegment& s) {
    return s.in.h == s.p.h && s.in.v == s.p.v && s.out.h == s.p.h && s.out.v == s.p.v;
}

// Whether `path` is a closed rectangle with edges along the axes; its bounds
// go to *box.
bool AxisRectangle(const Art& path, ExportBox* box) {
    const std::vector<AIPathSegment>& s = path.segments;
    size_t count = s.size();
    if (count == 5 && s[4].p.h == s[0].p.h && s[4].p.v == s[0].p.v) count = 4;
    if (!path.closed || count != 4) return false;
    for (const AIPathSegment& segment : s) {
        if (!Straight(segment)) return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        const ASRealPoint& a = s[i].p;
        const ASRealPoint& b = s[(i + 1) % 4].p;
        const bool alongH = a.v == b.v && a.h != b.h;
        const bool alongV = a.h == b.h && a.v != b.v;
        if (alongH == alongV) return false;
    }
    box->left = std::fmin(s[0].p.h, s[2].p.h);
    box->right = std::fmax(s[0].p.h, s[2].p.h);
    box->bottom = std::fmin(s[0].p.v, s[2].p.v);
    box->top = std::fmax(s[0].p.v, s[2].p.v);
    return true;
}

bool SameScreenColor(const AIColor& a, const AIColor& b) {
    const RgbColor x = ScreenColor(a), y = ScreenColor(b);
    return x.red == y.red && x.green == y.green && x.blue == y.blue;
}

}  // namespace

bool FindRectangleArt(const Document& document, RectangleArt* art) {
    bool rectangles = true;
    WalkArt(
        document.art,
        [&](const Art& a, const ArtPlace&) {
            if (!rectangles || a.type != kPathArt) return;
            if (!a.style.fillPaint && !a.style.strokePaint) return;
            ExportBox box;
            if (a.style.strokePaint || !AxisRectangle(a, &box) ||
                (!art->rectangles.empty() && !SameScreenColor(a.style.fill.color, art->ink))) {
                rectangles = false;
                return;
            }
            art->ink = a.style.fill.color;
            art->rectangles.push_back({box, &a});
        },
        [](const Art&) {});
    return rectangles;
}

}  // namespace standin
