// The client area's pixels: items painted in place or, partly outside the
// dialog, through a buffer of their own; erased before each paint; cropped.
// On Windows the same, painted by the system's GDI on a DIB section.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include "platform/gdi_monitor.h"
#endif
#include "standin/dialogs/dialog_surface.h"

namespace {

using standin::ItemPaintStatus;
using standin::kDialogFaceColor;
using standin::PixelImage;

// Fills far more than the device context has: GDI keeps to its pixels.
void PaintRed(HDC dc) {
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all;
    SetRect(&all, -1000, -1000, 1000, 1000);
    FillRect(dc, &all, red);
    DeleteObject(red);
}

// How many pixels of `image` are `color`.
int Count(const PixelImage& image, COLORREF color) {
    int n = 0;
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) n += image.At(x, y) == color ? 1 : 0;
    return n;
}

class SurfaceTest : public ::testing::Test {
#if !defined(_WIN32)
  protected:
    void SetUp() override { GdiReset(); }
    void TearDown() override {
        EXPECT_EQ(GdiLiveCounts().surfaceDCs, 0);
        GdiReset();
    }
#endif
};

TEST_F(SurfaceTest, AnItemInsideIsPaintedInPlaceAndNothingElse) {
    PixelImage surface = standin::MakeDialogSurface(40, 30);
    ASSERT_EQ(Count(surface, kDialogFaceColor), 40 * 30);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{5, 6, 15, 10}, PaintRed),
              ItemPaintStatus::kPainted);
    EXPECT_EQ(Count(surface, RGB(255, 0, 0)), 10 * 4);
    EXPECT_EQ(surface.At(5, 6), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(14, 9), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(15, 9), kDialogFaceColor);
    EXPECT_EQ(surface.At(14, 10), kDialogFaceColor);

    // The next paint starts from the face colour again.
    int calls = 0;
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{5, 6, 15, 10}, [&calls](HDC) { ++calls; }),
              ItemPaintStatus::kPainted);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Count(surface, kDialogFaceColor), 40 * 30);
}

TEST_F(SurfaceTest, ItemsPartlyOutsideArePaintedOnlyWhereTheyAreVisible) {
    PixelImage surface = standin::MakeDialogSurface(40, 30);
    // Past the right and bottom edges: in place, cut by the surface.
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{35, 25, 60, 50}, PaintRed),
              ItemPaintStatus::kPainted);
    EXPECT_EQ(Count(surface, RGB(255, 0, 0)), 5 * 5);
    // Left of and above the surface: through a buffer of the item's size.
    surface = standin::MakeDialogSurface(40, 30);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{-6, -4, 4, 6},
                                 [](HDC dc) {
                                     const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
                                     RECT r;
                                     SetRect(&r, 6, 4, 7, 5);  // the surface's (0, 0)
                                     FillRect(dc, &r, red);
                                     DeleteObject(red);
                                 }),
              ItemPaintStatus::kPainted);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Count(surface, RGB(255, 0, 0)), 1);
}

TEST_F(SurfaceTest, ItemsWithoutVisiblePixelsOrTooLargeAreNotPainted) {
    PixelImage surface = standin::MakeDialogSurface(40, 30);
    int calls = 0;
    const auto count = [&calls](HDC) { ++calls; };
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{5, 5, 5, 20}, count), ItemPaintStatus::kEmpty);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{5, 5, 3, 20}, count), ItemPaintStatus::kEmpty);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{40, 0, 50, 10}, count), ItemPaintStatus::kEmpty);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{-20, -20, -1, -1}, count),
              ItemPaintStatus::kEmpty);
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{-5000, 0, 10, 10}, count),
              ItemPaintStatus::kTooLarge);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(Count(surface, kDialogFaceColor), 40 * 30);
}

#if !defined(_WIN32)
// Our GDI layer's allocation failure; the system's cannot be brought about.
TEST_F(SurfaceTest, NoDeviceContextMeansNoPaint) {
    PixelImage surface = standin::MakeDialogSurface(40, 30);
    GdiFailAllocation(1);
    int calls = 0;
    EXPECT_EQ(standin::PaintItem(&surface, ADMRect{1, 1, 9, 9}, [&calls](HDC) { ++calls; }),
              ItemPaintStatus::kNoDC);
    EXPECT_EQ(calls, 0);
}
#endif

TEST_F(SurfaceTest, SurfacesAreCutToTheirLimitAndCropsFillWhatLiesOutside) {
    const PixelImage big = standin::MakeDialogSurface(standin::kMaxSurfaceSide + 5, -3);
    EXPECT_EQ(big.width, standin::kMaxSurfaceSide);
    EXPECT_EQ(big.height, 0);
    EXPECT_TRUE(big.bytes.empty());

    PixelImage surface = standin::MakeDialogSurface(10, 10);
    standin::FillPixels(&surface, ADMRect{0, 0, 10, 10}, RGB(1, 2, 3));
    const PixelImage crop = standin::CropPixels(surface, ADMRect{8, -2, 12, 3});
    ASSERT_EQ(crop.width, 4);
    ASSERT_EQ(crop.height, 5);
    EXPECT_EQ(crop.At(0, 2), RGB(1, 2, 3));
    EXPECT_EQ(crop.At(1, 4), RGB(1, 2, 3));
    EXPECT_EQ(crop.At(2, 2), kDialogFaceColor);
    EXPECT_EQ(crop.At(0, 1), kDialogFaceColor);
    EXPECT_EQ(standin::CropPixels(surface, ADMRect{3, 3, 3, 9}).width, 0);
}

}  // namespace
