#include "standin/export/art_dump.h"

#include "standin/export/art_walk.h"
#include "standin/export/export_geometry.h"
#include "standin/export/number_text.h"

namespace standin {
namespace {

void AppendNumbers(std::string* out, std::initializer_list<double> values) {
    for (double v : values) {
        *out += ' ';
        AppendNineDigits(out, v);
    }
}

void AppendName(std::string* out, const std::string& name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    *out += '"';
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            *out += '\\';
            *out += c;
        } else if (byte < 0x20) {
            *out += "\\x";
            *out += kHex[byte >> 4];
            *out += kHex[byte & 15];
        } else {
            *out += c;
        }
    }
    *out += '"';
}

void AppendColor(std::string* out, const AIColor& color) {
    const AIColorUnion& c = color.c;
    switch (color.kind) {
        case kGrayColor:
            *out += " gray";
            AppendNumbers(out, {c.gray.gray});
            break;
        case kFourColor:
            *out += " cmyk";
            AppendNumbers(out, {c.four.cyan, c.four.magenta, c.four.yellow, c.four.black});
            break;
        case kThreeColor:
            *out += " rgb";
            AppendNumbers(out, {c.three.red, c.three.green, c.three.blue});
            break;
        default:
            *out += " kind " + std::to_string(color.kind);
            AppendNumbers(out, {c.four.cyan, c.four.magenta, c.four.yellow, c.four.black});
            break;
    }
}

void AppendStyle(std::string* out, const AIPathStyle& style) {
    const AIStrokeStyle& stroke = style.stroke;
    *out += style.fillPaint ? " fill 1" : " fill 0";
    AppendColor(out, style.fill.color);
    *out += style.strokePaint ? " stroke 1" : " stroke 0";
    AppendColor(out, stroke.color);
    *out += " width";
    AppendNumbers(out, {stroke.width});
    *out += " miter";
    AppendNumbers(out, {stroke.miterLimit});
    if (stroke.cap != 0) *out += " cap " + std::to_string(stroke.cap);
    if (stroke.join != 0) *out += " join " + std::to_string(stroke.join);
    if (stroke.dash.length != 0 || stroke.dash.offset != 0) {
        // The length as stored; only the entries the array holds are shown.
        *out += " dash";
        AppendNumbers(out, {stroke.dash.offset});
        *out += ' ' + std::to_string(stroke.dash.length) + ':';
        for (int i = 0; i < DashCount(stroke.dash); ++i) AppendNumbers(out, {stroke.dash.array[i]});
    }
    if (style.fill.overprint) *out += " fill-overprint";
    if (stroke.overprint) *out += " stroke-overprint";
    if (style.clip) *out += " clip";
    if (style.lockClip) *out += " lock-clip";
    if (style.evenOdd) *out += " even-odd";
}

void AppendPath(std::string* out, const Art& path) {
    *out += path.closed ? " path closed" : " path open";
    AppendStyle(out, path.style);
    *out += " segments " + std::to_string(path.segments.size());
    for (size_t i = 0; i < path.segments.size(); ++i) {
        const AIPathSegment& s = path.segments[i];
        *out += i == 0 ? ":" : ";";
        AppendNumbers(out, {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v});
        *out += s.corner ? " corner" : " smooth";
    }
}

}  // namespace

std::string DumpArtTree(const Document& document) {
    std::string out = "document ";
    AppendName(&out, document.name);
    out += " page";
    AppendNumbers(&out, {document.width, document.height});
    out += " view";
    AppendNumbers(&out, {document.viewCenter.h, document.viewCenter.v});
    out += '\n';
    WalkArt(
        document.art,
        [&out](const Art& a, const ArtPlace& place) {
            out += ArtPlaceText(place);
            if (a.type == kGroupArt) {
                out += " group " + std::to_string(a.children.size()) + " objects";
            } else if (a.type == kPathArt) {
                AppendPath(&out, a);
            } else {
                out += " art " + std::to_string(a.type);
            }
            out += '\n';
        },
        [](const Art&) {});
    return out;
}

}  // namespace standin
