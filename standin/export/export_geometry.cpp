#include "standin/export/export_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "standin/export/art_walk.h"

namespace standin {
namespace {

bool Finite(const ASRealPoint& p) {
    return std::isfinite(p.h) && std::isfinite(p.v);
}

double Clamped(ASReal component) {
    if (!(component > 0)) return 0;  // also NaN
    return component < 1 ? component : 1;
}

// Where the first non-finite number of `path` is, or null when there is none.
const char* NonFinitePart(const Art& path) {
    for (const AIPathSegment& s : path.segments)
        if (!Finite(s.p) || !Finite(s.in) || !Finite(s.out)) return "a segment";
    if (path.style.strokePaint) {
        const AIStrokeStyle& stroke = path.style.stroke;
        if (!std::isfinite(stroke.width) || !std::isfinite(stroke.miterLimit)) return "its stroke";
        if (!std::isfinite(stroke.dash.offset)) return "its dash";
        for (int i = 0; i < DashCount(stroke.dash); ++i)
            if (!std::isfinite(stroke.dash.array[i])) return "its dash";
    }
    return nullptr;
}

}  // namespace

std::string ArtPlaceText(const ArtPlace& place) {
    std::string text;
    for (size_t i = 0; i < place.size(); ++i) {
        if (i != 0) text += '.';
        text += std::to_string(place[i]);
    }
    return text;
}

bool ExportBounds(const Document& document, ExportCrop crop, ExportBox* box, std::string* error) {
    bool any = false;
    ExportBox art;
    if (crop == ExportCrop::kArt) {
        auto take = [&](const ASRealPoint& p) {
            if (!any) {
                art = {p.h, p.v, p.h, p.v};
                any = true;
                return;
            }
            art.left = std::min<double>(art.left, p.h);
            art.right = std::max<double>(art.right, p.h);
            art.bottom = std::min<double>(art.bottom, p.v);
            art.top = std::max<double>(art.top, p.v);
        };
        WalkArt(
            document.art,
            [&](const Art& a, const ArtPlace&) {
                if (a.type != kPathArt) return;
                for (const AIPathSegment& s : a.segments) {
                    take(s.p);
                    take(s.in);
                    take(s.out);
                }
            },
            [](const Art&) {});
    }
    if (any && art.Width() > 0 && art.Height() > 0) {
        *box = art;
        return true;
    }
    if (!(std::isfinite(document.width) && std::isfinite(document.height) && document.width > 0 &&
          document.height > 0)) {
        if (error != nullptr) *error = "the document's page has no usable size";
        return false;
    }
    *box = {0, 0, document.width, document.height};
    return true;
}

bool CheckExportable(const Document& document, std::string* error) {
    std::string found;
    WalkArt(
        document.art,
        [&](const Art& a, const ArtPlace& place) {
            if (!found.empty() || a.type != kPathArt) return;
            if (const char* part = NonFinitePart(a))
                found = "path " + ArtPlaceText(place) + " has a number in " + part +
                        " that is not finite";
        },
        [](const Art&) {});
    if (found.empty()) return true;
    if (error != nullptr) *error = found;
    return false;
}

RgbColor ScreenColor(const AIColor& color) {
    switch (color.kind) {
        case kFourColor: {
            const AIFourColorStyle& c = color.c.four;
            const double white = 1 - Clamped(c.black);
            return {(1 - Clamped(c.cyan)) * white, (1 - Clamped(c.magenta)) * white,
                    (1 - Clamped(c.yellow)) * white};
        }
        case kThreeColor:
            return {Clamped(color.c.three.red), Clamped(color.c.three.green),
                    Clamped(color.c.three.blue)};
        case kGrayColor:
        default: {
            const double level = 1 - Clamped(color.c.gray.gray);
            return {level, level, level};
        }
    }
}

int DashCount(const AIDashStyle& dash) {
    return std::clamp<int>(dash.length, 0, kMaxDashComponents);
}

bool PngPixelsFit(double width, double height, const char* hint, std::string* error) {
    if (width <= kMaxPngSide && height <= kMaxPngSide && width * height <= kMaxPngPixels)
        return true;
    if (error != nullptr) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "a PNG of %.0f x %.0f pixels is too large (at most %d a side and %.0f "
                      "pixels); lower %s",
                      width, height, kMaxPngSide, kMaxPngPixels, hint);
        *error = text;
    }
    return false;
}

bool PngSize(const ExportBox& box, double dpi, int* width, int* height, std::string* error) {
    if (!(std::isfinite(dpi) && dpi > 0)) {
        if (error != nullptr) *error = "the resolution must be a positive number of dots per inch";
        return false;
    }
    const double scale = dpi / 72;
    const double w = std::max(1.0, std::ceil(box.Width() * scale - 1e-6));
    const double h = std::max(1.0, std::ceil(box.Height() * scale - 1e-6));
    if (!PngPixelsFit(w, h, "--dpi", error)) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

}  // namespace standin
