#include "standin/export/svg_writer.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "standin/export/art_walk.h"
#include "standin/export/number_text.h"

namespace standin {
namespace {

// The SVG's text as it is written: small pieces gathered in a buffer of its
// own and handed to the string a few kilobytes at a time, and the floats of
// coordinates through a cache, since the modules of a symbol share them.
class SvgText {
  public:
    explicit SvgText(std::string* out) : out_(out) {}
    ~SvgText() { Flush(); }
    SvgText(const SvgText&) = delete;
    SvgText& operator=(const SvgText&) = delete;

    SvgText& operator+=(std::string_view text) {
        if (used_ + text.size() > sizeof buffer_) {
            Flush();
            if (text.size() > sizeof buffer_) {
                out_->append(text);
                return *this;
            }
        }
        std::memcpy(buffer_ + used_, text.data(), text.size());
        used_ += text.size();
        return *this;
    }
    SvgText& operator+=(char c) { return *this += std::string_view(&c, 1); }

    void Number(float value) { *this += numbers_.Text(value); }
    void Number(double value) {
        scratch_.clear();
        AppendShortest(&scratch_, value);
        *this += scratch_;
    }

  private:
    void Flush() {
        out_->append(buffer_, used_);
        used_ = 0;
    }

    std::string* out_;
    ShortestFloatCache numbers_;
    std::string scratch_;
    size_t used_ = 0;
    char buffer_[8192];
};

bool SamePoint(const ASRealPoint& a, const ASRealPoint& b) {
    return a.h == b.h && a.v == b.v;
}

void AppendPoint(SvgText& out, const ASRealPoint& p) {
    out.Number(p.h);
    out += ' ';
    out.Number(p.v);
}

// The part of the outline from `from` to `to`.
void AppendEdge(SvgText& out, const AIPathSegment& from, const AIPathSegment& to) {
    if (SamePoint(from.out, from.p) && SamePoint(to.in, to.p)) {
        out += 'L';
    } else {
        out += 'C';
        AppendPoint(out, from.out);
        out += ' ';
        AppendPoint(out, to.in);
        out += ' ';
    }
    AppendPoint(out, to.p);
}

void AppendPathData(SvgText& out, const Art& path) {
    const std::vector<AIPathSegment>& s = path.segments;
    if (s.empty()) return;
    out += 'M';
    AppendPoint(out, s[0].p);
    for (size_t i = 1; i < s.size(); ++i) AppendEdge(out, s[i - 1], s[i]);
    if (path.closed) {
        if (s.size() > 1 && !(SamePoint(s.back().out, s.back().p) && SamePoint(s[0].in, s[0].p)))
            AppendEdge(out, s.back(), s[0]);
        out += 'Z';
    }
}

void AppendColor(SvgText& out, const AIColor& color) {
    static constexpr char kHex[] = "0123456789abcdef";
    // Paths mostly share one colour: the last one's text is kept.
    static thread_local AIColor last = {};
    static thread_local char text[8] = {};
    if (text[0] == '#' && std::memcmp(&last, &color, sizeof color) == 0) {
        out += std::string_view(text, 7);
        return;
    }
    const RgbColor rgb = ScreenColor(color);
    char* p = text;
    *p++ = '#';
    for (double component : {rgb.red, rgb.green, rgb.blue}) {
        const int level = static_cast<int>(std::lround(component * 255));
        *p++ = kHex[level >> 4];
        *p++ = kHex[level & 15];
    }
    std::memcpy(&last, &color, sizeof color);
    out += std::string_view(text, 7);
}

void AppendStroke(SvgText& out, const AIStrokeStyle& stroke) {
    out += " stroke=\"";
    AppendColor(out, stroke.color);
    out += "\" stroke-width=\"";
    out.Number(stroke.width < 0 ? 0.0f : stroke.width);
    out += '"';
    if (stroke.cap == kRoundCap) out += " stroke-linecap=\"round\"";
    if (stroke.cap == kProjectingCap) out += " stroke-linecap=\"square\"";
    if (stroke.join == kRoundJoin) out += " stroke-linejoin=\"round\"";
    if (stroke.join == kBevelJoin) out += " stroke-linejoin=\"bevel\"";
    // SVG knows no miter limit below 1.
    const ASReal miter = stroke.miterLimit < 1 ? 1.0f : stroke.miterLimit;
    if (miter != 4) {
        out += " stroke-miterlimit=\"";
        out.Number(miter);
        out += '"';
    }
    const int dashes = DashCount(stroke.dash);
    if (dashes > 0) {
        out += " stroke-dasharray=\"";
        for (int i = 0; i < dashes; ++i) {
            if (i != 0) out += ' ';
            out.Number(stroke.dash.array[i] < 0 ? 0.0f : stroke.dash.array[i]);
        }
        out += '"';
        if (stroke.dash.offset != 0) {
            out += " stroke-dashoffset=\"";
            out.Number(stroke.dash.offset);
            out += '"';
        }
    }
}

void AppendPathElement(SvgText& out, const Art& path) {
    const AIPathStyle& style = path.style;
    out += "<path d=\"";
    AppendPathData(out, path);
    out += "\" fill=\"";
    if (style.fillPaint) {
        AppendColor(out, style.fill.color);
        out += '"';
        if (style.evenOdd) out += " fill-rule=\"evenodd\"";
    } else {
        out += "none\"";
    }
    if (style.strokePaint) {
        AppendStroke(out, style.stroke);
    } else {
        out += " stroke=\"none\"";
    }
    out += "/>\n";
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
    SvgText text(out);
    text +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    text.Number(box.Width());
    text += "pt\" height=\"";
    text.Number(box.Height());
    text += "pt\" viewBox=\"";
    text.Number(box.left);
    text += ' ';
    text.Number(pageTop - box.top);
    text += ' ';
    text.Number(box.Width());
    text += ' ';
    text.Number(box.Height());
    text += "\" shape-rendering=\"crispEdges\">\n<g transform=\"matrix(1 0 0 -1 0 ";
    text.Number(pageTop);
    text += ")\">\n";
    WalkArt(
        document.art,
        [&text](const Art& a, const ArtPlace&) {
            if (a.type == kGroupArt) text += "<g>\n";
            if (a.type == kPathArt) AppendPathElement(text, a);
        },
        [&text](const Art&) { text += "</g>\n"; });
    text += "</g>\n</svg>\n";
}

}  // namespace standin
