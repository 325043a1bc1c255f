#include "standin/export/module_size.h"

#include <algorithm>
#include <cmath>

#include "standin/export/art_walk.h"

namespace standin {

namespace {

// The side of `art` when it is a closed, filled, axis-aligned square of four
// corners; 0 otherwise.
double SquareSide(const Art& art) {
    if (art.type != kPathArt || !art.closed || !art.style.fillPaint || art.segments.size() != 4)
        return 0;
    double left = art.segments[0].p.h, right = left;
    double bottom = art.segments[0].p.v, top = bottom;
    for (const AIPathSegment& s : art.segments) {
        left = std::min<double>(left, s.p.h);
        right = std::max<double>(right, s.p.h);
        bottom = std::min<double>(bottom, s.p.v);
        top = std::max<double>(top, s.p.v);
    }
    const double width = right - left, height = top - bottom;
    return width > 0 && std::fabs(width - height) <= 1e-3 * width ? width : 0;
}

}  // namespace

double SmallestFilledSquare(const Document& document) {
    double smallest = 0;
    WalkArt(
        document.art,
        [&](const Art& art, const ArtPlace&) {
            const double side = SquareSide(art);
            if (side > 0 && (smallest == 0 || side < smallest)) smallest = side;
        },
        [](const Art&) {});
    return smallest;
}

}  // namespace standin
