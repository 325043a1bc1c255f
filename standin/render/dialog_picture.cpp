#include "standin/render/dialog_picture.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "standin/render/display_text.h"
#include "standin/render/item_painting.h"
#include "standin/render/text_setup.h"

namespace standin {
namespace {

static_assert(std::endian::native == std::endian::little,
              "cairo's RGB24 pixels are blue, green, red, unused only on little-endian machines");

// The active caption of the classic look: a gradient from left to right.
constexpr COLORREF kCaptionLeft = RGB(10, 36, 106);
constexpr COLORREF kCaptionRight = RGB(166, 202, 240);
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr int32_t kCaptionBar = 18;  // the bar; a line of the face colour follows
constexpr int32_t kCloseWidth = 16;
constexpr int32_t kCloseHeight = 14;

cairo_surface_t* SurfaceOver(PixelImage* image) {
    return cairo_image_surface_create_for_data(image->bytes.data(), CAIRO_FORMAT_RGB24,
                                               image->width, image->height, image->width * 4);
}

void Caption(cairo_t* cr, const DialogSnapshot& snapshot, const ADMRect& bar,
             const TextStyle& bold) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(bar.left, 0, bar.right, 0);
    cairo_pattern_add_color_stop_rgb(gradient, 0, GetRValue(kCaptionLeft) / 255.0,
                                     GetGValue(kCaptionLeft) / 255.0,
                                     GetBValue(kCaptionLeft) / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, GetRValue(kCaptionRight) / 255.0,
                                     GetGValue(kCaptionRight) / 255.0,
                                     GetBValue(kCaptionRight) / 255.0);
    cairo_rectangle(cr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);

    // The close box of the system menu.
    const int32_t closeTop = bar.top + (kCaptionBar - kCloseHeight) / 2;
    const ADMRect close{bar.right - 2 - kCloseWidth, closeTop, bar.right - 2,
                        closeTop + kCloseHeight};
    FillBox(cr, close, kDialogFaceColor);
    RaisedEdge(cr, close);
    const char* const cross[] = {"##....##", ".##..##.", "..####..", "...##...",
                                 "..####..", ".##..##.", "##....##"};
    const int32_t x0 = close.left + (kCloseWidth - 8) / 2;
    const int32_t y0 = close.top + (kCloseHeight - 7) / 2;
    for (int32_t row = 0; row < 7; ++row)
        for (int32_t col = 0; col < 8; ++col)
            if (cross[row][col] == '#')
                FillBox(cr, {x0 + col, y0 + row, x0 + col + 1, y0 + row + 1}, kTextColor);

    const ADMRect titleBox{bar.left + 3, bar.top, close.left - 2, bar.bottom};
    DrawText(cr, LabelText(snapshot.title, false), titleBox, TextAlign::kLeft, false, true, false,
             bold, kCaptionText);
}

// Copies the pixels of every user-drawn item from the surface, one to one.
void CopyUserDrawn(const DialogSnapshot& snapshot, DialogPicture* picture) {
    const PixelImage& surface = snapshot.surface;
    for (const SnapshotItem& item : snapshot.items) {
        if (item.kind != DialogItemKind::kUserDrawn) continue;
        const int32_t left = std::clamp(item.rect.left, 0, surface.width);
        const int32_t right = std::clamp(item.rect.right, left, surface.width);
        const int32_t top = std::clamp(item.rect.top, 0, surface.height);
        const int32_t bottom = std::clamp(item.rect.bottom, top, surface.height);
        const size_t bytes = static_cast<size_t>(right - left) * 4;
        for (int32_t y = top; y < bottom; ++y) {
            const size_t from = (static_cast<size_t>(y) * static_cast<size_t>(surface.width) +
                                 static_cast<size_t>(left)) *
                                4;
            const size_t to = (static_cast<size_t>(y + picture->clientTop) *
                                   static_cast<size_t>(picture->image.width) +
                               static_cast<size_t>(left + picture->clientLeft)) *
                              4;
            std::memcpy(picture->image.bytes.data() + to, surface.bytes.data() + from, bytes);
        }
    }
}

}  // namespace

DialogPicture RenderDialogPicture(const DialogSnapshot& snapshot) {
    DialogPicture picture;
    const int32_t clientWidth = snapshot.surface.width;
    const int32_t clientHeight = snapshot.surface.height;
    picture.clientLeft = kPictureFrame;
    picture.clientTop = kPictureFrame + kPictureCaption;
    picture.image = MakeDialogSurface(clientWidth + 2 * kPictureFrame,
                                      clientHeight + 2 * kPictureFrame + kPictureCaption);
    const DialogFontFace& face = snapshot.face != nullptr
                                     ? *snapshot.face
                                     : DialogFontFor(snapshot.fontName, snapshot.fontSize);
    const FaceMetrics metrics = MeasureFace(face.substituteFamily, face.substitutePixels);
    PangoFontDescription* regular = NewFaceDescription(face, false);
    PangoFontDescription* bold = NewFaceDescription(face, true);
    // Lines lie as far apart as the layout's base units say the font is high.
    const TextStyle style{regular, metrics.ascent,
                          snapshot.units.y > 0 ? snapshot.units.y : metrics.lineHeight};
    const TextStyle captionStyle{bold, metrics.ascent, style.lineHeight};

    cairo_surface_t* target = SurfaceOver(&picture.image);
    cairo_t* cr = cairo_create(target);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    const int32_t width = picture.image.width;
    const int32_t height = picture.image.height;
    RaisedEdge(cr, ADMRect{0, 0, width, height});
    Caption(
        cr, snapshot,
        ADMRect{kPictureFrame, kPictureFrame, width - kPictureFrame, kPictureFrame + kCaptionBar},
        captionStyle);

    cairo_save(cr);
    cairo_rectangle(cr, picture.clientLeft, picture.clientTop, clientWidth, clientHeight);
    cairo_clip(cr);
    cairo_translate(cr, picture.clientLeft, picture.clientTop);
    for (auto it = snapshot.items.rbegin(); it != snapshot.items.rend(); ++it)
        PaintItemPicture(cr, *it, style);
    cairo_restore(cr);

    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    pango_font_description_free(regular);
    pango_font_description_free(bold);
    // cairo sets the unused byte; the dialog's pixels leave it 0.
    for (size_t i = 3; i < picture.image.bytes.size(); i += 4) picture.image.bytes[i] = 0;
    CopyUserDrawn(snapshot, &picture);
    return picture;
}

}  // namespace standin
