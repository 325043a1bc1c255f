#include "standin/render/item_painting.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <vector>

#include "standin/render/text_setup.h"

namespace standin {
namespace {

// Styles of the template that the pictures follow: a static item's type (the
// low five bits) and its prefix switch.
enum StaticStyle : uint32_t {
    kStaticTypeMask = 0x1F,
    kStaticCenter = 0x01,
    kStaticRight = 0x02,
    kBlackRect = 0x04,
    kGrayRect = 0x05,
    kWhiteRect = 0x06,
    kBlackFrame = 0x07,
    kGrayFrame = 0x08,
    kWhiteFrame = 0x09,
    kStaticSimple = 0x0B,
    kStaticLeftNoWordWrap = 0x0C,
    kEtchedHorizontal = 0x10,
    kEtchedVertical = 0x11,
    kStaticNoPrefix = 0x80,
};

// The width of a drop-down box's button, as a vertical scroll bar's.
constexpr int32_t kDropButtonWidth = 16;
// The side of a check box's square.
constexpr int32_t kCheckSide = 13;

void SetColor(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

ADMRect Inset(const ADMRect& r, int32_t by) {
    return ADMRect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

bool IsEmpty(const ADMRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// A one-pixel frame of `color` just inside `rect`.
void FrameBox(cairo_t* cr, const ADMRect& r, COLORREF color) {
    if (IsEmpty(r)) return;
    FillBox(cr, {r.left, r.top, r.right, r.top + 1}, color);
    FillBox(cr, {r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillBox(cr, {r.left, r.top, r.left + 1, r.bottom}, color);
    FillBox(cr, {r.right - 1, r.top, r.right, r.bottom}, color);
}

// A one-pixel edge: `topLeft` along the top and left, `bottomRight` along the
// bottom and right.
void Edge(cairo_t* cr, const ADMRect& r, COLORREF topLeft, COLORREF bottomRight) {
    if (IsEmpty(r)) return;
    FillBox(cr, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillBox(cr, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillBox(cr, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillBox(cr, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

// Pixels of a small glyph: rows of '#' for set pixels, drawn at (x, y).
void Glyph(cairo_t* cr, int32_t x, int32_t y, std::initializer_list<const char*> rows,
           COLORREF color) {
    int32_t row = 0;
    for (const char* line : rows) {
        for (int32_t col = 0; line[col] != '\0'; ++col)
            if (line[col] == '#') FillBox(cr, {x + col, y + row, x + col + 1, y + row + 1}, color);
        ++row;
    }
}

void DownArrow(cairo_t* cr, const ADMRect& button) {
    const int32_t x = button.left + (button.right - button.left - 7) / 2;
    const int32_t y = button.top + (button.bottom - button.top - 4) / 2;
    Glyph(cr, x, y, {"#######", ".#####.", "..###..", "...#..."}, kTextColor);
}

void PushButton(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    ADMRect r = item.rect;
    FillBox(cr, r, kDialogFaceColor);
    if (item.kind == DialogItemKind::kDefaultButton) {
        FrameBox(cr, r, kTextColor);
        r = Inset(r, 1);
    }
    RaisedEdge(cr, r);
    DrawText(cr, LabelText(item.text, true), Inset(r, 2), TextAlign::kCenter, false, true, false,
             style, kTextColor);
}

void StaticText(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    const uint32_t type = item.style & kStaticTypeMask;
    TextAlign align = TextAlign::kLeft;
    if (type == kStaticCenter) align = TextAlign::kCenter;
    if (type == kStaticRight) align = TextAlign::kRight;
    const bool wrap = type != kStaticSimple && type != kStaticLeftNoWordWrap;
    DrawText(cr, LabelText(item.text, (item.style & kStaticNoPrefix) == 0), item.rect, align, wrap,
             false, false, style, kTextColor);
}

void Frame(cairo_t* cr, const SnapshotItem& item) {
    const ADMRect& r = item.rect;
    switch (item.style & kStaticTypeMask) {
        case kBlackRect:
            FillBox(cr, r, kTextColor);
            break;
        case kGrayRect:
            FillBox(cr, r, kShadowColor);
            break;
        case kWhiteRect:
            FillBox(cr, r, kHighlightColor);
            break;
        case kBlackFrame:
            FrameBox(cr, r, kTextColor);
            break;
        case kGrayFrame:
            FrameBox(cr, r, kShadowColor);
            break;
        case kWhiteFrame:
            FrameBox(cr, r, kHighlightColor);
            break;
        case kEtchedHorizontal:
            FillBox(cr, {r.left, r.top, r.right, r.top + 1}, kShadowColor);
            FillBox(cr, {r.left, r.top + 1, r.right, r.top + 2}, kHighlightColor);
            break;
        case kEtchedVertical:
            FillBox(cr, {r.left, r.top, r.left + 1, r.bottom}, kShadowColor);
            FillBox(cr, {r.left + 1, r.top, r.left + 2, r.bottom}, kHighlightColor);
            break;
        default:  // an etched frame
            Edge(cr, r, kShadowColor, kHighlightColor);
            Edge(cr, Inset(r, 1), kHighlightColor, kShadowColor);
            break;
    }
}

// A drop-down list: a sunken white field with the selected entry and the
// drop button on its right.
void Popup(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    const ADMRect& r = item.rect;
    SunkenEdge(cr, r);
    const ADMRect inner = Inset(r, 2);
    FillBox(cr, inner, kWindowColor);
    const ADMRect button{std::max(inner.left, inner.right - kDropButtonWidth), inner.top,
                         inner.right, inner.bottom};
    FillBox(cr, button, kDialogFaceColor);
    RaisedEdge(cr, button);
    DownArrow(cr, button);
    const ADMRect field{inner.left + 2, inner.top, button.left - 1, inner.bottom};
    DrawText(cr, LabelText(item.text, false), field, TextAlign::kLeft, false, true, false, style,
             kTextColor);
}

void EditText(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    SunkenEdge(cr, item.rect);
    const ADMRect inner = Inset(item.rect, 2);
    FillBox(cr, inner, kWindowColor);
    const ADMRect field{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom};
    DrawText(cr, DisplayText{EditLineText(item.text), {}}, field, TextAlign::kLeft, false, false,
             item.caretAtEnd, style, kTextColor);
}

void ListBox(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    SunkenEdge(cr, item.rect);
    const ADMRect inner = Inset(item.rect, 2);
    FillBox(cr, inner, kWindowColor);
    int32_t top = inner.top;
    for (size_t i = 0; i < item.entries.size() && top < inner.bottom; ++i) {
        const ADMRect row{inner.left, top, inner.right,
                          std::min(top + style.lineHeight, inner.bottom)};
        const bool selected = static_cast<int32_t>(i) == item.selected;
        if (selected) FillBox(cr, row, kSelectionColor);
        DrawText(cr, LabelText(item.entries[i], false),
                 {row.left + 2, row.top, row.right, row.bottom}, TextAlign::kLeft, false, false,
                 false, style, selected ? kWindowColor : kTextColor);
        top += style.lineHeight;
    }
}

// A check box or a radio button: its mark on the left, its label after it.
void Choice(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    const ADMRect& r = item.rect;
    const int32_t top = r.top + (r.bottom - r.top - kCheckSide) / 2;
    const ADMRect box{r.left, top, r.left + kCheckSide, top + kCheckSide};
    if (item.kind == DialogItemKind::kCheckBox) {
        SunkenEdge(cr, box);
        FillBox(cr, Inset(box, 2), kWindowColor);
        if (item.intValue != 0)
            Glyph(cr, box.left + 3, box.top + 3,
                  {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."},
                  kTextColor);
    } else {
        const double cx = box.left + kCheckSide / 2.0;
        const double cy = box.top + kCheckSide / 2.0;
        cairo_arc(cr, cx, cy, kCheckSide / 2.0 - 0.5, 0, 6.283185307179586);
        SetColor(cr, kWindowColor);
        cairo_fill_preserve(cr);
        SetColor(cr, kShadowColor);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        if (item.intValue != 0) {
            cairo_arc(cr, cx, cy, 2.0, 0, 6.283185307179586);
            SetColor(cr, kTextColor);
            cairo_fill(cr);
        }
    }
    DrawText(cr, LabelText(item.text, true), {box.right + 4, r.top, r.right, r.bottom},
             TextAlign::kLeft, false, true, false, style, kTextColor);
}

void GroupBox(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    const ADMRect& r = item.rect;
    const ADMRect frame{r.left, r.top + style.lineHeight / 2, r.right, r.bottom};
    Edge(cr, frame, kShadowColor, kHighlightColor);
    Edge(cr, Inset(frame, 1), kHighlightColor, kShadowColor);
    if (item.text.empty()) return;
    const DisplayText label = LabelText(item.text, true);
    PangoLayout* layout = pango_layout_new(DialogTextContext());
    pango_layout_set_font_description(layout, style.font);
    pango_layout_set_text(layout, label.utf8.c_str(), -1);
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    g_object_unref(layout);
    const ADMRect caption{r.left + 8, r.top, std::min(r.left + 8 + width + 4, r.right),
                          r.top + style.lineHeight};
    FillBox(cr, caption, kDialogFaceColor);
    DrawText(cr, label, {caption.left + 2, caption.top, caption.right, caption.bottom},
             TextAlign::kLeft, false, false, false, style, kTextColor);
}

// A picture control shows its bitmap at its top left in the bitmap's own
// size, as a static bitmap control sizes itself; one whose bitmap could not
// be read stands in as a sunken outline.
void Picture(cairo_t* cr, const SnapshotItem& item) {
    const BitmapPixels& bitmap = item.bitmap;
    if (bitmap.rgb.empty()) {
        Edge(cr, item.rect, kShadowColor, kHighlightColor);
        return;
    }
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, bitmap.width);
    std::vector<unsigned char> bytes(static_cast<size_t>(stride) * bitmap.height);
    for (int32_t y = 0; y < bitmap.height; ++y)
        std::memcpy(bytes.data() + static_cast<size_t>(y) * stride,
                    bitmap.rgb.data() + static_cast<size_t>(y) * bitmap.width,
                    static_cast<size_t>(bitmap.width) * 4);
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        bytes.data(), CAIRO_FORMAT_RGB24, bitmap.width, bitmap.height, stride);
    cairo_save(cr);
    cairo_set_source_surface(cr, image, item.rect.left, item.rect.top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, item.rect.left, item.rect.top, bitmap.width, bitmap.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

}  // namespace

void FillBox(cairo_t* cr, const ADMRect& rect, COLORREF color) {
    if (IsEmpty(rect)) return;
    cairo_rectangle(cr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    SetColor(cr, color);
    cairo_fill(cr);
}

void RaisedEdge(cairo_t* cr, const ADMRect& rect) {
    Edge(cr, rect, kHighlightColor, kDarkShadowColor);
    Edge(cr, Inset(rect, 1), kDialogFaceColor, kShadowColor);
}

void SunkenEdge(cairo_t* cr, const ADMRect& rect) {
    Edge(cr, rect, kShadowColor, kHighlightColor);
    Edge(cr, Inset(rect, 1), kDarkShadowColor, kDialogFaceColor);
}

void DrawText(cairo_t* cr, const DisplayText& text, const ADMRect& box, TextAlign align, bool wrap,
              bool centreVertically, bool showEnd, const TextStyle& style, COLORREF color) {
    assert(style.font != nullptr && style.lineHeight > 0);
    if (IsEmpty(box) || text.utf8.empty()) return;
    const int32_t boxWidth = box.right - box.left;
    PangoLayout* layout = pango_layout_new(DialogTextContext());
    pango_layout_set_font_description(layout, style.font);
    pango_layout_set_text(layout, text.utf8.c_str(), static_cast<int>(text.utf8.size()));
    if (!text.underlined.empty()) {
        PangoAttrList* attributes = pango_attr_list_new();
        for (const auto& [first, last] : text.underlined) {
            PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
            underline->start_index = static_cast<guint>(first);
            underline->end_index = static_cast<guint>(last);
            pango_attr_list_insert(attributes, underline);
        }
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    if (wrap) {
        pango_layout_set_width(layout, boxWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    }
    const int lines = pango_layout_get_line_count(layout);
    int32_t top = box.top;
    if (centreVertically) top += (box.bottom - box.top - lines * style.lineHeight) / 2;

    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, boxWidth, box.bottom - box.top);
    cairo_clip(cr);
    SetColor(cr, color);
    for (int i = 0; i < lines; ++i) {
        PangoLayoutLine* line = pango_layout_get_line_readonly(layout, i);
        PangoRectangle logical;
        pango_layout_line_get_pixel_extents(line, nullptr, &logical);
        int32_t x = box.left;
        if (align == TextAlign::kCenter) x += (boxWidth - logical.width) / 2;
        if (align == TextAlign::kRight) x += boxWidth - logical.width;
        if (showEnd && lines == 1 && logical.width > boxWidth) x = box.right - logical.width;
        cairo_move_to(cr, x, top + i * style.lineHeight + style.ascent);
        pango_cairo_show_layout_line(cr, line);
    }
    cairo_restore(cr);
    g_object_unref(layout);
}

void PaintItemPicture(cairo_t* cr, const SnapshotItem& item, const TextStyle& style) {
    switch (item.kind) {
        case DialogItemKind::kPushButton:
        case DialogItemKind::kDefaultButton:
            PushButton(cr, item, style);
            break;
        case DialogItemKind::kStaticText:
            StaticText(cr, item, style);
            break;
        case DialogItemKind::kFrame:
            Frame(cr, item);
            break;
        case DialogItemKind::kPopup:
            Popup(cr, item, style);
            break;
        case DialogItemKind::kEditText:
            EditText(cr, item, style);
            break;
        case DialogItemKind::kListBox:
            ListBox(cr, item, style);
            break;
        case DialogItemKind::kCheckBox:
        case DialogItemKind::kRadioButton:
            Choice(cr, item, style);
            break;
        case DialogItemKind::kGroupBox:
            GroupBox(cr, item, style);
            break;
        case DialogItemKind::kPicture:
            Picture(cr, item);
            break;
        case DialogItemKind::kUserDrawn:
        case DialogItemKind::kScrollBar:
        case DialogItemKind::kOther:
            break;
    }
}

}  // namespace standin
