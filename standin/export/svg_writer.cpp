#include "standin/export/svg_writer.h"

#include <cmath>

#include "standin/export/art_walk.h"
#include "standin/export/number_text.h"

namespace standin {
namespace {

bool SamePoint(const ASRealPoint& a, const ASRealPoint& b) {
    return a.h == b.h && a.v == b.v;
}

void AppendPoint(std::string* out, const ASRealPoint& p) {
    AppendShortest(out, p.h);
    *out += ' ';
    AppendShortest(out, p.v);
}

// The part of the outline from `from` to `to`.
void AppendEdge(std::string* out, const AIPathSegment& from, const AIPathSegment& to) {
    if (SamePoint(from.out, from.p) && SamePoint(to.in, to.p)) {
        *out += 'L';
    } else {
        *out += 'C';
        AppendPoint(out, from.out);
        *out += ' ';
        AppendPoint(out, to.in);
        *out += ' ';
    }
    AppendPoint(out, to.p);
}

void AppendPathData(std::string* out, const Art& path) {
    const std::vector<AIPathSegment>& s = path.segments;
    if (s.empty()) return;
    *out += 'M';
    AppendPoint(out, s[0].p);
    for (size_t i = 1; i < s.size(); ++i) AppendEdge(out, s[i - 1], s[i]);
    if (path.closed) {
        if (s.size() > 1 && !(SamePoint(s.back().out, s.back().p) && SamePoint(s[0].in, s[0].p)))
            AppendEdge(out, s.back(), s[0]);
        *out += 'Z';
    }
}

void AppendColor(std::string* out, const AIColor& color) {
    static constexpr char kHex[] = "0123456789abcdef";
    const RgbColor rgb = ScreenColor(color);
    *out += '#';
    for (double component : {rgb.red, rgb.green, rgb.blue}) {
        const int level = static_cast<int>(std::lround(component * 255));
        *out += kHex[level >> 4];
        *out += kHex[level & 15];
    }
}

void AppendStroke(std::string* out, const AIStrokeStyle& stroke) {
    *out += " stroke=\"";
    AppendColor(out, stroke.color);
    *out += "\" stroke-width=\"";
    AppendShortest(out, stroke.width < 0 ? 0.0f : stroke.width);
    *out += '"';
    if (stroke.cap == kRoundCap) *out += " stroke-linecap=\"round\"";
    if (stroke.cap == kProjectingCap) *out += " stroke-linecap=\"square\"";
    if (stroke.join == kRoundJoin) *out += " stroke-linejoin=\"round\"";
    if (stroke.join == kBevelJoin) *out += " stroke-linejoin=\"bevel\"";
    // SVG knows no miter limit below 1.
    const ASReal miter = stroke.miterLimit < 1 ? 1.0f : stroke.miterLimit;
    if (miter != 4) {
        *out += " stroke-miterlimit=\"";
        AppendShortest(out, miter);
        *out += '"';
    }
    const int dashes = DashCount(stroke.dash);
    if (dashes > 0) {
        *out += " stroke-dasharray=\"";
        for (int i = 0; i < dashes; ++i) {
            if (i != 0) *out += ' ';
            AppendShortest(out, stroke.dash.array[i] < 0 ? 0.0f : stroke.dash.array[i]);
        }
        *out += '"';
        if (stroke.dash.offset != 0) {
            *out += " stroke-dashoffset=\"";
            AppendShortest(out, stroke.dash.offset);
            *out += '"';
        }
    }
}

void AppendPathElement(std::string* out, const Art& path) {
    const AIPathStyle& style = path.style;
    *out += "<path d=\"";
    AppendPathData(out, path);
    *out += "\" fill=\"";
    if (style.fillPaint) {
        AppendColor(out, style.fill.color);
        *out += '"';
        if (style.evenOdd) *out += " fill-rule=\"evenodd\"";
    } else {
        *out += "none\"";
    }
    if (style.strokePaint) {
        AppendStroke(out, style.stroke);
    } else {
        *out += " stroke=\"none\"";
    }
    *out += "/>\n";
}

// A rough size of the SVG, so that the text grows once or twice at most.
size_t EstimatedSize(const Document& document) {
    size_t size = 512;
    WalkArt(
        document.art,
        [&size](const Art& a, const ArtPlace&) { size += 48 + a.segments.size() * 24; },
        [](const Art&) {});
    return size;
}

}  // namespace

void WriteDocumentSvg(const Document& document, const ExportBox& box, std::string* out) {
    // The flip is about the page's top edge, so the page keeps its place.
    const double pageTop = std::isfinite(document.height) ? document.height : 0;
    out->reserve(out->size() + EstimatedSize(document));
    *out +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    AppendShortest(out, box.Width());
    *out += "pt\" height=\"";
    AppendShortest(out, box.Height());
    *out += "pt\" viewBox=\"";
    AppendShortest(out, box.left);
    *out += ' ';
    AppendShortest(out, pageTop - box.top);
    *out += ' ';
    AppendShortest(out, box.Width());
    *out += ' ';
    AppendShortest(out, box.Height());
    *out += "\" shape-rendering=\"crispEdges\">\n<g transform=\"matrix(1 0 0 -1 0 ";
    AppendShortest(out, pageTop);
    *out += ")\">\n";
    WalkArt(
        document.art,
        [out](const Art& a, const ArtPlace&) {
            if (a.type == kGroupArt) *out += "<g>\n";
            if (a.type == kPathArt) AppendPathElement(out, a);
        },
        [out](const Art&) { *out += "</g>\n"; });
    *out += "</g>\n</svg>\n";
}

}  // namespace standin
