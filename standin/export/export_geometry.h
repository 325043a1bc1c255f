// What every export format shares: the box of the document that it shows,
// the check that the art can be written at all, and colours as screen RGB.
#pragma once

#include <string>

#include "hostapi/ai_path_style.h"
#include "standin/suites/document/documents.h"

namespace standin {

// The largest PNG side, in pixels, and the largest number of pixels.
inline constexpr int kMaxPngSide = 32767;
inline constexpr double kMaxPngPixels = 1e8;

// Which part of the document an export shows.
enum class ExportCrop {
    kArt,   // the bounds of the art (for a placed symbol, its quiet-zone rectangle)
    kPage,  // the whole page
};

// A box in document coordinates (points, y growing upwards).
struct ExportBox {
    double left = 0, bottom = 0, right = 0, top = 0;
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
};

// The box an export shows: the page, or the union of every anchor and
// control point of every path. A document whose points span no area (no
// paths, empty paths, a single point or a straight line along an axis)
// shows its page. Returns false with a reason when that box is unusable
// (a page that is not a positive, finite size).
bool ExportBounds(const Document& document, ExportCrop crop, ExportBox* box, std::string* error);

// Whether a PNG of `width` x `height` pixels keeps within kMaxPngSide and
// kMaxPngPixels; else false with the reason in *error (when not null),
// ending with `hint`, what the user may lower ("--dpi").
bool PngPixelsFit(double width, double height, const char* hint, std::string* error);

// The size in pixels of a PNG of `box` at `dpi`: whole pixels that hold the
// box (a hair's excess from rounding is dropped), at least 1. False with a
// reason when the resolution is not a positive number or the image would
// be too large (kMaxPngSide, kMaxPngPixels).
bool PngSize(const ExportBox& box, double dpi, int* width, int* height, std::string* error);

// Checks that every number an export writes is finite: the segments of every
// path, and the stroke's width, miter limit and dash of every stroked path.
// On failure `error` names the first offending object by its place.
bool CheckExportable(const Document& document, std::string* error);

// A colour on screen, each component 0 to 1.
struct RgbColor {
    double red, green, blue;
};

// The screen colour of a path colour. A gray value is ink (0 white, 1
// black); process colours are converted without a colour profile. Components
// are clamped to 0..1 (a number that is not one counts as 0); a colour of an
// unknown kind is read as gray.
RgbColor ScreenColor(const AIColor& color);

// The number of dash entries to use: `length` limited to 0..kMaxDashComponents.
int DashCount(const AIDashStyle& dash);

}  // namespace standin
