// The pieces of a dialog picture drawn with cairo in the classic look of
// Windows dialogs: 3-D edges, texts laid out with pango in whole pixels, and
// one painter per kind of item. Coordinates are pixels of the cairo target;
// every shape is a fill of whole pixels, so edges are exact.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include "hostapi/adm_types.h"
#include "platform/win_gdi.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/render/display_text.h"

namespace standin {

// The system colours of the classic look.
inline constexpr COLORREF kHighlightColor = RGB(255, 255, 255);  // 3-D highlight
inline constexpr COLORREF kShadowColor = RGB(128, 128, 128);     // 3-D shadow
inline constexpr COLORREF kDarkShadowColor = RGB(64, 64, 64);    // 3-D dark shadow
inline constexpr COLORREF kWindowColor = RGB(255, 255, 255);     // fields and lists
inline constexpr COLORREF kTextColor = RGB(0, 0, 0);
inline constexpr COLORREF kSelectionColor = RGB(10, 36, 106);  // a selected list entry

// How texts are set: the face and its line metrics (whole pixels).
struct TextStyle {
    const PangoFontDescription* font = nullptr;
    int32_t ascent = 0;      // baseline below the top of a line
    int32_t lineHeight = 0;  // from one line's top to the next one's
};

enum class TextAlign { kLeft, kCenter, kRight };

// Fills `rect` with `color`.
void FillBox(cairo_t* cr, const ADMRect& rect, COLORREF color);

// Two-pixel edges: raised (a button, a window frame) or sunken (a field).
void RaisedEdge(cairo_t* cr, const ADMRect& rect);
void SunkenEdge(cairo_t* cr, const ADMRect& rect);

// Draws `text` in `box`, clipped to it: lines `style.lineHeight` apart from
// the box's top (or centred in the box when `centreVertically`), each line
// aligned by `align`; `wrap` breaks lines that are wider than the box. With
// `showEnd`, a single line wider than the box shows its end instead of its
// start.
void DrawText(cairo_t* cr, const DisplayText& text, const ADMRect& box, TextAlign align, bool wrap,
              bool centreVertically, bool showEnd, const TextStyle& style, COLORREF color);

// Paints `item` as the user sees it at its rectangle. User-drawn items are
// left alone: their pixels come from the dialog's surface.
void PaintItemPicture(cairo_t* cr, const SnapshotItem& item, const TextStyle& style);

}  // namespace standin
