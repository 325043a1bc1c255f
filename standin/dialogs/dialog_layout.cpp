#include "standin/dialogs/dialog_layout.h"

#include <cassert>
#include <cstdlib>

namespace standin {
namespace {

// Base units follow Windows's rule for a dialog with a font: x is the average
// width of the 52 letters a-z and A-Z, (width of the string / 26 + 1) / 2,
// and y the font's height, at 96 dots per inch.
//
// MS Sans Serif 8 pt: 6 x 13, the values Windows gives for it. Nimbus Sans
// (the Helvetica-metric face) at 11 pixels draws its texts; its letters give
// the same x of 6.
//
// "ＭＳ Ｐゴシック" 9 pt: computed from IPAPGothic, the metric-compatible face it is
// drawn with, at 12 pixels: the 52 letters are 368 pixels wide (7) and the
// font's ascent and descent are 0.88 and 0.12 of its em (12).
//
// Made on first use: a command that shows no dialog never builds the list.
const std::vector<DialogFontFace>& Faces() {
    static const std::vector<DialogFontFace> faces = {
        {"MS Sans Serif", 8, {6, 13}, "Nimbus Sans", 11.0},
        // "ＭＳ Ｐゴシック" in code page 932.
        {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E",
         9,
         {7, 12},
         "IPAPGothic",
         12.0},
    };
    return faces;
}

bool SameName(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

const std::vector<DialogFontFace>& DialogFontFaces() {
    return Faces();
}

const DialogFontFace& DialogFontFor(const std::string& name, int16_t points) {
    for (const DialogFontFace& face : Faces())
        if (face.points == points && SameName(name, face.name)) return face;
    return Faces().front();
}

int32_t MulDivRounded(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0) return -1;
    const int64_t product = static_cast<int64_t>(number) * numerator;
    const int64_t magnitude =
        (std::llabs(product) + std::llabs(static_cast<int64_t>(denominator)) / 2) /
        std::llabs(static_cast<int64_t>(denominator));
    const int64_t result = (product < 0) != (denominator < 0) ? -magnitude : magnitude;
    if (result < INT32_MIN || result > INT32_MAX) return -1;
    return static_cast<int32_t>(result);
}

ADMRect DialogUnitsToPixels(int32_t x, int32_t y, int32_t width, int32_t height,
                            DialogBaseUnits units) {
    assert(units.x > 0 && units.y > 0);
    ADMRect rect;
    rect.left = MulDivRounded(x, units.x, 4);
    rect.top = MulDivRounded(y, units.y, 8);
    rect.right = rect.left + MulDivRounded(width, units.x, 4);
    rect.bottom = rect.top + MulDivRounded(height, units.y, 8);
    return rect;
}

DialogLayout LayOutDialog(const DialogResource& dialog) {
    DialogLayout layout;
    layout.face = &DialogFontFor(dialog.fontName, dialog.fontSize);
    layout.units = layout.face->units;
    const ADMRect client = DialogUnitsToPixels(0, 0, dialog.width, dialog.height, layout.units);
    layout.width = client.right;
    layout.height = client.bottom;
    for (const DialogItemResource& item : dialog.items)
        layout.items.push_back(
            DialogUnitsToPixels(item.x, item.y, item.width, item.height, layout.units));
    return layout;
}

}  // namespace standin
