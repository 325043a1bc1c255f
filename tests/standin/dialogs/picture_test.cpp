// The picture of a dialog: its size around the client area, user-drawn items
// copied pixel for pixel from the surface, texts drawn where their items lie,
// the same picture on every run, and the PNG files.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "standin/suites/adm/dialog_manager.h"
#include "standin/render/dialog_picture.h"
#include "standin/render/png_file.h"
#include "tests/standin/dialogs/dialog_test_support.h"

namespace {

using standin::DialogPicture;
using standin::kDialogFaceColor;
using standin::PixelImage;

using PictureTest = DrawingModuleTest;

// Pixels of `rect` (client coordinates) in `picture` that are dark: text.
int DarkPixels(const DialogPicture& picture, const ADMRect& rect) {
    int n = 0;
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const COLORREF c = picture.image.At(x + picture.clientLeft, y + picture.clientTop);
            n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300 ? 1 : 0;
        }
    return n;
}

// The leftmost and rightmost x of the dark pixels of `rect`, in client
// coordinates; {-1, -1} when there are none.
std::pair<int32_t, int32_t> DarkSpan(const DialogPicture& picture, const ADMRect& rect) {
    std::pair<int32_t, int32_t> span{-1, -1};
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const COLORREF c = picture.image.At(x + picture.clientLeft, y + picture.clientTop);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 300) continue;
            if (span.first < 0 || x < span.first) span.first = x;
            if (x > span.second) span.second = x;
        }
    return span;
}

const ADMRect& RectOf(const standin::DialogSnapshot& shot, int32_t id) {
    return standin::FindSnapshotItem(shot, id)->rect;
}

// The image of a PNG file as 32-bit pixels; empty when it cannot be read.
PixelImage ReadPng(const std::string& path) {
    PixelImage image;
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
        image.width = cairo_image_surface_get_width(png);
        image.height = cairo_image_surface_get_height(png);
        const int stride = cairo_image_surface_get_stride(png);
        const unsigned char* data = cairo_image_surface_get_data(png);
        for (int32_t y = 0; y < image.height; ++y)
            for (int32_t x = 0; x < image.width; ++x) {
                const unsigned char* p = data + y * stride + x * 4;
                image.bytes.insert(image.bytes.end(), {p[0], p[1], p[2], 0});
            }
    }
    cairo_surface_destroy(png);
    return image;
}

TEST_F(PictureTest, UserDrawnItemsAreTheSurfacesPixelsAtTheirPlace) {
    Run(kDrawingSettingsDialog, "select 5 3; type 13 xyz; press 1");
    const standin::DialogSnapshot& shot = Closed(kDrawingSettingsDialog);
    const DialogPicture picture = standin::RenderDialogPicture(shot);
    EXPECT_EQ(picture.clientLeft, standin::kPictureFrame);
    EXPECT_EQ(picture.clientTop, standin::kPictureFrame + standin::kPictureCaption);
    EXPECT_EQ(picture.image.width, 525 + 2 * 3);
    EXPECT_EQ(picture.image.height, 368 + 2 * 3 + 19);

    const ADMRect& r = RectOf(shot, 3);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        const size_t from = (static_cast<size_t>(y) * shot.surface.width + r.left) * 4;
        const size_t to = (static_cast<size_t>(y + picture.clientTop) * picture.image.width +
                           r.left + picture.clientLeft) *
                          4;
        ASSERT_EQ(std::memcmp(picture.image.bytes.data() + to, shot.surface.bytes.data() + from,
                              static_cast<size_t>(r.right - r.left) * 4),
                  0)
            << "row " << y;
    }
    // Item 7 starts outside: its visible part is red at the client's left edge.
    EXPECT_EQ(picture.image.At(picture.clientLeft, 225 + picture.clientTop), RGB(255, 0, 0));
    EXPECT_EQ(picture.image.At(picture.clientLeft - 1, 225 + picture.clientTop),
              picture.image.At(picture.clientLeft - 1, 200 + picture.clientTop));
}

TEST_F(PictureTest, TextsPopupsAndFieldsShowWhatTheyHold) {
    Run(kDrawingSettingsDialog, "select 5 3; type 13 xyz; press 1");
    const standin::DialogSnapshot& shot = Closed(kDrawingSettingsDialog);
    const DialogPicture picture = standin::RenderDialogPicture(shot);
    EXPECT_GT(DarkPixels(picture, RectOf(shot, 4)), 40);  // the label
    // The information text: two lines, 12 pixels apart, then nothing.
    const ADMRect& info = RectOf(shot, 14);
    EXPECT_GT(DarkPixels(picture, {info.left, info.top, info.right, info.top + 12}), 40);
    EXPECT_GT(DarkPixels(picture, {info.left, info.top + 12, info.right, info.top + 24}), 40);
    EXPECT_EQ(DarkPixels(picture, {info.left, info.top + 24, info.right, info.bottom}), 0);
    EXPECT_GT(DarkPixels(picture, RectOf(shot, 13)), 10);  // the typed text, and the edge
    EXPECT_GT(DarkPixels(picture, RectOf(shot, 1)), 10);   // OK
    // The right-aligned label's text ends at the right of its rectangle.
    const ADMRect& label = RectOf(shot, 4);
    EXPECT_GE(DarkSpan(picture, label).second, label.right - 3);
    EXPECT_GT(DarkSpan(picture, label).first, label.left);
    // The popup's field left of its button shows the selected entry.
    const ADMRect& popup = RectOf(shot, 5);
    const ADMRect field{popup.left + 3, popup.top + 3, popup.right - 20, popup.bottom - 3};
    EXPECT_GT(DarkPixels(picture, field), 20);
    // The frame of item 8 is black.
    const ADMRect& frame = RectOf(shot, 8);
    EXPECT_EQ(picture.image.At(frame.left + picture.clientLeft, frame.top + picture.clientTop),
              RGB(0, 0, 0));

    // A popup with nothing selected shows an empty white field.
    standin::DialogSnapshot none = shot;
    for (standin::SnapshotItem& item : none.items)
        if (item.id == 5) {
            item.selected = -1;
            item.text.clear();
        }
    EXPECT_EQ(DarkPixels(standin::RenderDialogPicture(none), field), 0);
}

TEST_F(PictureTest, TheSmallDialogInItsFontCentresAndAlignsItsTexts) {
    Run(kDrawingSmallDialog, "");
    const standin::DialogSnapshot& shot = Closed(kDrawingSmallDialog);
    const DialogPicture picture = standin::RenderDialogPicture(shot);
    EXPECT_EQ(picture.image.width, 278 + 6);
    EXPECT_EQ(picture.image.height, 150 + 25);
    const ADMRect& centred = RectOf(shot, 3);
    const auto [from, to] = DarkSpan(picture, centred);
    EXPECT_GT(from, centred.left + 3);
    EXPECT_NEAR(from - centred.left, centred.right - 1 - to, 2);
    const ADMRect& left = RectOf(shot, 2);
    EXPECT_LE(DarkSpan(picture, left).first, left.left + 1);
}

TEST_F(PictureTest, PicturesAreTheSameEveryTimeAndPngFilesHoldThem) {
    Run(kDrawingSettingsDialog, "select 5 0; type 13 表示\\n; press 1");
    const standin::DialogSnapshot& shot = Closed(kDrawingSettingsDialog);
    const DialogPicture picture = standin::RenderDialogPicture(shot);
    EXPECT_EQ(standin::RenderDialogPicture(shot).image.bytes, picture.image.bytes);

    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "pictures";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string why;
    const std::string dialogPng = (folder / "dialog.png").string();
    ASSERT_TRUE(standin::WriteDialogPng(shot, dialogPng, &why)) << why;
    const PixelImage dialog = ReadPng(dialogPng);
    EXPECT_EQ(dialog.width, picture.image.width);
    EXPECT_EQ(dialog.height, picture.image.height);
    EXPECT_EQ(dialog.bytes, picture.image.bytes);

    const std::string previewPng = (folder / "preview.png").string();
    ASSERT_TRUE(standin::WriteItemPng(shot, 3, previewPng, &why)) << why;
    const PixelImage preview = ReadPng(previewPng);
    EXPECT_EQ(preview.width, 243);
    EXPECT_EQ(preview.height, 231);
    EXPECT_EQ(preview.bytes, standin::SnapshotItemPixels(shot, 3).bytes);

    EXPECT_FALSE(standin::WriteItemPng(shot, 99, (folder / "none.png").string(), &why));
    EXPECT_EQ(why, "dialog 100 has no item 99");
    EXPECT_FALSE(standin::WritePixelsPng(PixelImage(), (folder / "empty.png").string(), &why));
    EXPECT_EQ(why, "there are no pixels to write");
    EXPECT_FALSE(standin::WriteDialogPng(shot, (folder / "no" / "such.png").string(), &why));
    EXPECT_NE(why.find("cannot write"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "none.png"));
}

}  // namespace
