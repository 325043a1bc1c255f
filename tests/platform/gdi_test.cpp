// The GDI layer: rectangles and their edges, monochrome and colour bitmaps,
// the select and delete rules, handles that are not what a call needs,
// device-independent bits and BitBlt.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <random>

#include "platform/win_files.h"
#include "tests/platform/gdi_test_support.h"

namespace {

using gdi_test::GdiTest;
using gdi_test::Header32;
using gdi_test::Px;
using gdi_test::ReadBitmap;
using gdi_test::Window;

HGDIOBJ StockBitmap() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(dc, CreateCompatibleBitmap(dc, 0, 0));
    DeleteDC(dc);
    return stock;
}

BITMAP InfoOf(HGDIOBJ bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), int{sizeof info});
    return info;
}

// The records as Windows of the build's pointer size lays them out: bmBits
// follows the 4-byte fields at once in 32 bits, on an 8-byte boundary in 64.
TEST(GdiLayout, StructuresAreLaidOutAsOnWindowsOfTheSamePointerSize) {
    EXPECT_EQ(offsetof(BITMAP, bmPlanes), 16u);
    EXPECT_EQ(offsetof(BITMAP, bmBits), sizeof(void*) == 4 ? 20u : 24u);
    EXPECT_EQ(sizeof(BITMAP), sizeof(void*) == 4 ? 24u : 32u);
    EXPECT_EQ(offsetof(BITMAPINFOHEADER, biSizeImage), 20u);
    EXPECT_EQ(offsetof(BITMAPINFO, bmiColors), 40u);
    EXPECT_EQ(offsetof(LOGBRUSH, lbHatch), 8u);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST_F(GdiTest, SetRectAndInflateRect) {
    RECT r;
    ASSERT_TRUE(SetRect(&r, 10, 20, 30, 40));
    ASSERT_TRUE(InflateRect(&r, -1, 2));
    EXPECT_EQ(r.left, 11);
    EXPECT_EQ(r.top, 18);
    EXPECT_EQ(r.right, 29);
    EXPECT_EQ(r.bottom, 42);
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(InflateRect(nullptr, 1, 1));
    SetRect(&r, INT_MIN, 0, INT_MAX, 0);
    ASSERT_TRUE(InflateRect(&r, 1, 0));  // wraps as 32-bit values do
    EXPECT_EQ(r.left, INT_MAX);
    EXPECT_EQ(r.right, INT_MIN);
}

TEST_F(GdiTest, FillRectExcludesRightAndBottomEdgesAndClips) {
    Window w(6, 4);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    RECT r{1, 1, 4, 3};
    EXPECT_NE(FillRect(w.dc, &r, black), 0);
    EXPECT_EQ(w.Text(), "------|-###--|-###--|------|");
    r = RECT{-5, -5, 1, 100};  // clipped to the surface
    EXPECT_NE(FillRect(w.dc, &r, black), 0);
    EXPECT_EQ(w.Text(), "#-----|####--|####--|#-----|");
    for (RECT empty : {RECT{5, 0, 5, 4}, RECT{10, 10, 20, 20}}) {
        EXPECT_NE(FillRect(w.dc, &empty, black), 0);  // nothing to draw is no failure
    }
    EXPECT_EQ(w.Text(), "#-----|####--|####--|#-----|");
    // Inverted: from the same edges the other way, as Windows paints it.
    r = RECT{5, 3, 4, 0};
    EXPECT_NE(FillRect(w.dc, &r, black), 0);
    EXPECT_EQ(w.Text(), "#-----|####-#|####-#|#----#|");
    DeleteObject(black);
}

TEST_F(GdiTest, FrameRectDrawsOnePixelInsideTheRectangle) {
    Window w(6, 5);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    RECT r{1, 0, 5, 4};
    EXPECT_NE(FrameRect(w.dc, &r, white), 0);
    EXPECT_EQ(w.Text(), "-....-|-.--.-|-.--.-|-....-|------|");
    r = RECT{0, 2, 1, 5};  // one pixel wide: one column
    EXPECT_NE(FrameRect(w.dc, &r, white), 0);
    r = RECT{3, 1, 3, 4};  // empty: nothing, and a failure
    EXPECT_EQ(FrameRect(w.dc, &r, white), 0);
    r = RECT{4, 3, 1, 0};  // inverted: the same
    EXPECT_EQ(FrameRect(w.dc, &r, white), 0);
    EXPECT_EQ(w.Text(), "-....-|-.--.-|..--.-|.....-|.-----|");
    DeleteObject(white);
}

TEST_F(GdiTest, MemoryDCsHoldTheStockMonochromeBitmapSoCompatibleBitmapsAreMonochrome) {
    Window w(2, 2);
    HDC mem = CreateCompatibleDC(w.dc);
    HBITMAP mono = CreateCompatibleBitmap(mem, 20, 3);  // the classic pitfall
    HBITMAP colour = CreateCompatibleBitmap(w.dc, 20, 3);
    EXPECT_EQ(InfoOf(mono).bmBitsPixel, 1);
    EXPECT_EQ(InfoOf(mono).bmWidthBytes, 4);  // 20 bits in whole 16-bit words
    EXPECT_EQ(InfoOf(colour).bmBitsPixel, 32);
    EXPECT_EQ(InfoOf(colour).bmWidthBytes, 80);
    EXPECT_EQ(InfoOf(colour).bmBits, nullptr);

    const HGDIOBJ stock = SelectObject(mem, colour);
    EXPECT_EQ(stock, StockBitmap());
    EXPECT_EQ(InfoOf(stock).bmWidth, 1);
    EXPECT_EQ(InfoOf(stock).bmBitsPixel, 1);
    HBITMAP alsoColour = CreateCompatibleBitmap(mem, 5, 5);  // now the DC holds a colour one
    EXPECT_EQ(InfoOf(alsoColour).bmBitsPixel, 32);

    EXPECT_EQ(CreateCompatibleBitmap(w.dc, 0, 7), stock);  // no pixels: the stock bitmap
    EXPECT_TRUE(DeleteObject(stock));                    // which deleting leaves alone
    EXPECT_EQ(InfoOf(stock).bmWidth, 1);
    HBITMAP negative = CreateCompatibleBitmap(w.dc, -1, 7);  // its magnitude, as Windows takes it
    EXPECT_EQ(InfoOf(negative).bmWidth, 1);
    EXPECT_EQ(InfoOf(negative).bmHeight, 7);
    DeleteObject(negative);
#if !defined(_WIN32)  // our layer's limit; Windows' is its memory
    EXPECT_EQ(CreateCompatibleBitmap(w.dc, 40000, 1), nullptr);
#endif
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 5), nullptr);

    SelectObject(mem, stock);
    DeleteDC(mem);
    for (HBITMAP b : {mono, colour, alsoColour}) EXPECT_TRUE(DeleteObject(b));
}

TEST_F(GdiTest, BrushesOnMonochromeBitmapsTakeTheNearerOfBlackAndWhite) {
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(mem, 4, 1);
    HGDIOBJ stock = SelectObject(mem, mono);
#if defined(_WIN32)
    // Windows dithers the greys' solid brushes on monochrome bitmaps; the
    // nearer of black and white is our layer's rule for them.
    const COLORREF colours[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0),
                                RGB(255, 255, 0)};
#else
    const COLORREF colours[] = {RGB(128, 128, 127), RGB(128, 128, 126), RGB(255, 0, 0),
                                RGB(255, 255, 0)};
#endif
    for (int x = 0; x < 4; ++x) {
        HBRUSH brush = CreateSolidBrush(colours[x]);
        RECT r{x, 0, x + 1, 1};
        FillRect(mem, &r, brush);
        DeleteObject(brush);
    }
    SelectObject(mem, stock);
#if defined(_WIN32)
    EXPECT_EQ(gdi_test::Picture(ReadBitmap(mem, mono, 4, 1), 4), "#.#.|");
#else
    EXPECT_EQ(gdi_test::Picture(ReadBitmap(mem, mono, 4, 1), 4), ".##.|");
#endif
    DeleteObject(mono);
    DeleteDC(mem);
}

#if !defined(_WIN32)  // counts our layer's live objects
TEST_F(GdiTest, ABitmapIsSelectedIntoOneMemoryDCAtATime) {
    Window w(1, 1);
    HDC a = CreateCompatibleDC(w.dc), b = CreateCompatibleDC(w.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 3, 3);
    const HGDIOBJ stock = SelectObject(a, bitmap);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);  // selected elsewhere
    EXPECT_EQ(SelectObject(w.dc, bitmap), nullptr);  // not a memory DC
    EXPECT_EQ(SelectObject(a, bitmap), bitmap);   // already there
    EXPECT_FALSE(DeleteObject(bitmap));           // selected
    EXPECT_EQ(GdiLiveCounts().selectedBitmaps, 1);
    EXPECT_EQ(SelectObject(a, stock), bitmap);
    EXPECT_EQ(SelectObject(b, bitmap), stock);
    EXPECT_EQ(GdiLiveCounts().dcsNotRestored, 1);

    EXPECT_TRUE(DeleteDC(b));  // the bitmap outlives it, no longer selected
    EXPECT_EQ(SelectObject(a, bitmap), stock);
    EXPECT_TRUE(DeleteObject(a));  // a memory DC goes with DeleteObject too
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));  // already gone
    EXPECT_FALSE(DeleteDC(w.dc));      // not a memory DC
    const GdiCounts c = GdiLiveCounts();
    EXPECT_EQ(c.memoryDCs + c.bitmaps + c.brushes + c.selectedBitmaps + c.dcsNotRestored, 0);
    EXPECT_EQ(c.surfaceDCs, 1);
}
#endif

TEST_F(GdiTest, BrushesSelectAnywhereAndCannotBeDeletedWhileSelected) {
    Window w(1, 1);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const HGDIOBJ white = SelectObject(w.dc, red);
    LOGBRUSH info{};
    ASSERT_EQ(GetObjectA(white, sizeof info, &info), int{sizeof info});
    EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
    HDC mem = CreateCompatibleDC(w.dc);
    EXPECT_EQ(SelectObject(mem, red), white);  // a brush may be in several DCs
#if !defined(_WIN32)  // documented: a selected object is not deleted (Wine defers it)
    EXPECT_FALSE(DeleteObject(red));
#endif
    EXPECT_TRUE(DeleteDC(mem));
#if !defined(_WIN32)
    EXPECT_FALSE(DeleteObject(red));  // still in the window
#endif
    EXPECT_EQ(SelectObject(w.dc, white), red);
    EXPECT_TRUE(DeleteObject(white));  // stock: succeeds, stays
    EXPECT_TRUE(DeleteObject(red));
#if !defined(_WIN32)
    EXPECT_EQ(GdiLiveCounts().brushes, 0);
#endif
}

TEST_F(GdiTest, GetObjectAReportsSizesAndRefusesShortBuffers) {
    Window w(1, 1);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 7, 2);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), int{sizeof(BITMAP)});
    EXPECT_EQ(GetObjectA(brush, 0, nullptr), int{sizeof(LOGBRUSH)});
    alignas(8) unsigned char buffer[48];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP) - 1, buffer), 0);
    // Any alignment will do, as on Windows.
    EXPECT_EQ(GetObjectA(bitmap, sizeof buffer, buffer + 2), int{sizeof(BITMAP)});
    EXPECT_EQ(buffer[0], 0xEE);
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(GetObjectA(bitmap, sizeof buffer, buffer), int{sizeof(BITMAP)});
    EXPECT_EQ(buffer[sizeof(BITMAP)], 0xEE);  // no more than the structure
    EXPECT_EQ(GetObjectA(brush, sizeof buffer, buffer), int{sizeof(LOGBRUSH)});
    EXPECT_EQ(reinterpret_cast<LOGBRUSH*>(buffer)->lbColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectA(w.dc, sizeof buffer, buffer), 0);  // device contexts have none
    DeleteObject(bitmap);
    DeleteObject(brush);
}

#if !defined(_WIN32)  // made-up handles: our layer's checks, undefined on Windows
TEST_F(GdiTest, HandlesThatAreNotWhatACallNeedsFailWithoutHarm) {
    Window w(2, 2);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 2, 2);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    HBRUSH freed = CreateSolidBrush(RGB(0, 0, 0));
    DeleteObject(freed);
    HBRUSH reused = CreateSolidBrush(RGB(0, 0, 0));  // takes the freed slot
    EXPECT_NE(reused, freed);
    int local = 0;
    void* const bad[] = {nullptr, reinterpret_cast<void*>(6),  // a system colour: none here
                         reinterpret_cast<void*>(0xDEADBEEF), &local, freed};
    RECT r{0, 0, 2, 2};
    BITMAPINFO info = Header32(2, 2);
    uint32_t bits[4] = {};
    for (void* h : bad) {
        HDC dc = static_cast<HDC>(h);
        EXPECT_EQ(FillRect(dc, &r, brush), 0);
        EXPECT_EQ(FillRect(w.dc, &r, static_cast<HBRUSH>(h)), 0);
        EXPECT_EQ(FrameRect(w.dc, &r, static_cast<HBRUSH>(h)), 0);
        EXPECT_EQ(SelectObject(dc, brush), nullptr);
        EXPECT_EQ(SelectObject(w.dc, h), nullptr);
        EXPECT_EQ(GetObjectA(h, sizeof bits, bits), 0);
        if (h != nullptr) {
            EXPECT_EQ(CreateCompatibleDC(dc), nullptr);  // null would be the screen's
        }
        EXPECT_EQ(CreateCompatibleBitmap(dc, 2, 2), nullptr);
        EXPECT_EQ(CreateDIBitmap(dc, &info.bmiHeader, 0, nullptr, nullptr, 0), nullptr);
        EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
        EXPECT_EQ(GetDIBits(w.dc, static_cast<HBITMAP>(h), 0, 2, bits, &info, DIB_RGB_COLORS), 0);
        EXPECT_EQ(SetDIBits(w.dc, static_cast<HBITMAP>(h), 0, 2, bits, &info, DIB_RGB_COLORS), 0);
        EXPECT_FALSE(BitBlt(dc, 0, 0, 2, 2, w.dc, 0, 0, SRCCOPY));
        EXPECT_FALSE(BitBlt(w.dc, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
        EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
        EXPECT_FALSE(DeleteObject(h));
        EXPECT_FALSE(DeleteDC(dc));
        EXPECT_FALSE(GdiReleaseSurfaceDC(dc));
    }
    // Objects of the wrong kind.
    EXPECT_EQ(FillRect(w.dc, &r, reinterpret_cast<HBRUSH>(bitmap)), 0);
    EXPECT_EQ(FillRect(reinterpret_cast<HDC>(brush), &r, brush), 0);
    EXPECT_EQ(FillRect(w.dc, nullptr, brush), 0);
    EXPECT_EQ(SelectObject(w.dc, w.dc), nullptr);
    EXPECT_EQ(GetDIBits(w.dc, reinterpret_cast<HBITMAP>(brush), 0, 2, bits, &info, 0), 0);
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(bitmap)));
    EXPECT_FALSE(DeleteObject(w.dc));  // the stand-in's DC is released, not deleted
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(w.Text(), "--|--|");
    DeleteObject(bitmap);
    DeleteObject(brush);
    DeleteObject(reused);
}
#endif

TEST_F(GdiTest, DIBitsRoundTripBottomUpAndTopDown) {
    Window w(1, 1);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 2, 3);
    // Bottom-up: the first row in the buffer is the bitmap's bottom row.
    const uint32_t up[6] = {0xAA000001, 0x00000002, 0x00000003, 0x00000004, 0x00000005, 0x00000006};
    BITMAPINFO info = Header32(2, 3);
    EXPECT_EQ(SetDIBits(nullptr, bitmap, 0, 3, up, &info, DIB_RGB_COLORS), 3);  // dc unused
    uint32_t down[6] = {};
    info = Header32(2, -3);
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 3, down, &info, DIB_RGB_COLORS), 3);
    const uint32_t expected[6] = {5, 6, 3, 4, 0xAA000001, 2};  // all four bytes kept
    for (int i = 0; i < 6; ++i) EXPECT_EQ(down[i], expected[i]) << i;

    // The null-buffer query describes the bitmap.
    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_NE(GetDIBits(w.dc, bitmap, 0, 0, nullptr, &query, DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.bmiHeader.biWidth, 2);
    EXPECT_EQ(query.bmiHeader.biHeight, 3);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
    EXPECT_EQ(query.bmiHeader.biSizeImage, 24u);
    DeleteObject(bitmap);
}

TEST_F(GdiTest, DIBitsTouchOnlyTheScanLinesAskedFor) {
    Window w(1, 1);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 1, 4);
    uint32_t rows[4] = {10, 11, 12, 13};
    BITMAPINFO info = Header32(1, 4);  // scans 0..3 are rows 3..0
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 1, 2, rows, &info, DIB_RGB_COLORS), 2);  // rows 2 and 1
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 3, 9, rows + 3, &info, DIB_RGB_COLORS), 1);  // only scan 3
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 4, 1, rows, &info, DIB_RGB_COLORS), 0);
    uint32_t out[6] = {99, 99, 99, 99, 99, 99};
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 2, 100, out, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 11u);  // scan 2, row 1
    EXPECT_EQ(out[1], 13u);  // scan 3, row 0
    EXPECT_EQ(out[2], 99u);
    const uint32_t top = ReadBitmap(w.dc, bitmap, 1, 4)[0];
    EXPECT_EQ(top, 13u);
    EXPECT_EQ(ReadBitmap(w.dc, bitmap, 1, 4)[3], 0u);  // scan 0 never written

    // A taller bottom-up DIB lies over the bitmap from its top edge: its scans
    // 2 to 5 are the bitmap's rows 3 to 0, and only those are counted.
    uint32_t tall[6] = {99, 99, 99, 99, 99, 99};
    info = Header32(1, 6);
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 6, tall, &info, DIB_RGB_COLORS), 4);
    EXPECT_EQ(tall[2], 0u);
    EXPECT_EQ(tall[3], 10u);
    EXPECT_EQ(tall[4], 11u);
    EXPECT_EQ(tall[5], 13u);
    DeleteObject(bitmap);
}

TEST_F(GdiTest, DIBitsRefuseOtherFormatsShortHeadersAndSelectedBitmaps) {
    Window w(1, 1);
    HBITMAP bitmap = CreateCompatibleBitmap(w.dc, 2, 2);
    uint32_t bits[4] = {};
    BITMAPINFO info = Header32(2, 2);
#if !defined(_WIN32)  // our layer takes only the 32-bit DIBs the plug-in uses; Windows converts
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
#endif
    info = Header32(2, 2);
    info.bmiHeader.biCompression = 3;
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    info = Header32(0, 2);
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    info = Header32(2, 2);
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 0, 2, bits, &info, 7), 0);
#if !defined(_WIN32)  // no bits: Windows reads through the null pointer
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 0, 2, nullptr, &info, DIB_RGB_COLORS), 0);
#endif
    // A 12-byte core header: nothing is written past it.
    alignas(8) unsigned char core[sizeof(BITMAPINFO)];
    std::memset(core, 0xEE, sizeof core);
    const DWORD twelve = 12;
    std::memcpy(core, &twelve, 4);
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(core), 0), 0);
    EXPECT_EQ(core[12], 0xEE);

    HDC mem = CreateCompatibleDC(w.dc);
    HGDIOBJ stock = SelectObject(mem, bitmap);
#if !defined(_WIN32)  // our layer refuses by default, as Windows 95 did
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 0);
    GdiAllowDIBitsOnSelected(true);  // as Windows NT does it
#endif
    EXPECT_EQ(GetDIBits(w.dc, bitmap, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    SelectObject(mem, stock);
    DeleteDC(mem);
    DeleteObject(bitmap);
}

TEST_F(GdiTest, MonochromeBitmapsReadBackBlackAndWhite) {
    HDC mem = CreateCompatibleDC(nullptr);
    const uint32_t bits[3] = {0x00FFFFFF, 0x00123456, 0x00C0C0C0};
    BITMAPINFO info = Header32(3, -1);
    // With the DC holding the stock bitmap, the new bitmap is monochrome.
    HBITMAP mono = CreateDIBitmap(mem, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
    EXPECT_EQ(InfoOf(mono).bmBitsPixel, 1);
    EXPECT_EQ(gdi_test::Picture(ReadBitmap(mem, mono, 3, 1), 3), ".#.|");
    DeleteObject(mono);

    Window w(1, 1);
    info = Header32(4, -5);
    HBITMAP blank = CreateDIBitmap(w.dc, &info.bmiHeader, 0, nullptr, nullptr, 0);
    EXPECT_EQ(InfoOf(blank).bmBitsPixel, 32);
    EXPECT_EQ(InfoOf(blank).bmHeight, 5);
#if !defined(_WIN32)  // CBM_INIT without bits: Windows reads through the null pointer
    EXPECT_EQ(CreateDIBitmap(w.dc, &info.bmiHeader, CBM_INIT, nullptr, &info, 0), nullptr);
#endif
    EXPECT_EQ(CreateDIBitmap(w.dc, nullptr, 0, nullptr, nullptr, 0), nullptr);
    DeleteObject(blank);
    DeleteDC(mem);
}

// A memory DC holding a bitmap filled from rows of text ('#' black, '.' white,
// 'r' red).
struct Picture {
    Picture(HDC like, const char* rows, int width, int height) {
        std::vector<uint32_t> bits;
        for (const char* c = rows; *c != 0; ++c) {
            bits.push_back(*c == '#' ? 0 : *c == 'r' ? Px(RGB(255, 0, 0)) : 0xFFFFFF);
        }
        BITMAPINFO info = Header32(width, -height);
        bitmap = CreateDIBitmap(like, &info.bmiHeader, CBM_INIT, bits.data(), &info, 0);
        dc = CreateCompatibleDC(like);
        stock = SelectObject(dc, bitmap);
    }
    ~Picture() {
        SelectObject(dc, stock);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ stock;
};

TEST_F(GdiTest, BitBltCopiesClippedToBothSurfaces) {
    Window w(4, 3);
    Picture p(w.dc, "#..#" "r##r", 4, 2);
    EXPECT_TRUE(BitBlt(w.dc, -1, 1, 4, 2, p.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "----|..#-|##x-|");
    // Source columns 3..5 of which only 3 exists; rows beyond the source stay.
    EXPECT_TRUE(BitBlt(w.dc, 3, 0, 3, 3, p.dc, 3, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "---#|..#x|##x-|");
    EXPECT_TRUE(BitBlt(w.dc, 0, 0, 0, 5, p.dc, 0, 0, SRCCOPY));  // nothing to copy
    // A negative width reaches left from the same edge, in both surfaces.
    EXPECT_TRUE(BitBlt(w.dc, 0, 0, -2, 5, p.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "#--#|x.#x|##x-|");
    EXPECT_TRUE(BitBlt(w.dc, 2, 0, -2, 2, p.dc, 2, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "#..#|x##x|##x-|");
    // Overlapping blocks of one surface copy as they were.
    EXPECT_TRUE(BitBlt(w.dc, 1, 0, 3, 3, w.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "##..|xx##|###x|");
}

TEST_F(GdiTest, BitBltConvertsBetweenMonochromeAndColour) {
    Window w(4, 1);
    HDC mem = CreateCompatibleDC(nullptr);
    Picture mono(mem, "#.#.", 4, 1);  // compatible with a fresh memory DC: monochrome
    ASSERT_EQ(InfoOf(mono.bitmap).bmBitsPixel, 1);
    EXPECT_TRUE(BitBlt(w.dc, 0, 0, 4, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(w.Text(), "#.#.|");  // default text black, background white
    SetTextColor(w.dc, RGB(255, 0, 0));
    EXPECT_EQ(SetBkColor(w.dc, RGB(0, 0, 255)), RGB(255, 255, 255));
    EXPECT_TRUE(BitBlt(w.dc, 0, 0, 4, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(w.At(0, 0), Px(RGB(255, 0, 0)));
    EXPECT_EQ(w.At(1, 0), Px(RGB(0, 0, 255)));

    // Colour to monochrome: the source's background colour becomes white,
    // every other colour black, white included.
    Picture colour(w.dc, "r.#r", 4, 1);
    SetBkColor(colour.dc, RGB(255, 0, 0));
    EXPECT_TRUE(BitBlt(mono.dc, 0, 0, 4, 1, colour.dc, 0, 0, SRCCOPY));
    SelectObject(mono.dc, mono.stock);
    EXPECT_EQ(gdi_test::Picture(ReadBitmap(mem, mono.bitmap, 4, 1), 4), ".##.|");
    SelectObject(mono.dc, mono.bitmap);
    DeleteDC(mem);
}

TEST_F(GdiTest, BitBltRasterOperationsWithoutASourceNeedNone) {
    Window w(4, 1);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ white = SelectObject(w.dc, red);
    EXPECT_TRUE(BitBlt(w.dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_TRUE(BitBlt(w.dc, 1, 0, 1, 1, nullptr, 0, 0, WHITENESS));
    EXPECT_TRUE(BitBlt(w.dc, 2, 0, 1, 1, nullptr, 0, 0, PATCOPY));
    EXPECT_TRUE(BitBlt(w.dc, 3, 0, 1, 1, nullptr, 0, 0, DSTINVERT));
    EXPECT_FALSE(BitBlt(w.dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(w.At(2, 0), Px(RGB(255, 0, 0)));
    EXPECT_EQ(w.At(3, 0), 0x7F7F7Fu);
    EXPECT_EQ(w.Text().substr(0, 2), "#.");
    Picture p(w.dc, "r", 1, 1);
    EXPECT_TRUE(BitBlt(w.dc, 1, 0, 1, 1, p.dc, 0, 0, SRCINVERT));  // white ^ red
    EXPECT_EQ(w.At(1, 0), Px(RGB(0, 255, 255)));
    SelectObject(w.dc, white);
    DeleteObject(red);
}

#if !defined(_WIN32)  // counts our layer's live objects
TEST_F(GdiTest, AnySequenceOfCallsWithAnyHandlesAndSizesStaysSound) {
    Window w(16, 16);
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::vector<void*> pool = {w.dc, nullptr, reinterpret_cast<void*>(0x03000099)};
    auto any = [&] { return pool[size_t(pick(0, int(pool.size()) - 1))]; };
    std::vector<uint32_t> bits(16 * 17);  // the largest DIB the steps describe
    for (int step = 0; step < 20000; ++step) {
        HDC dc = static_cast<HDC>(any());
        RECT r{pick(-20, 40), pick(-20, 40), pick(-20, 40), pick(-20, 40)};
        BITMAPINFO info = Header32(pick(1, 16), pick(-16, 16) | 1);
        const UINT start = UINT(pick(0, 20)), lines = UINT(pick(0, 20));
        void* made = nullptr;
        switch (pick(0, 11)) {
            case 0: made = CreateSolidBrush(RGB(pick(0, 255), 0, pick(0, 255))); break;
            case 1: made = CreateCompatibleDC(pick(0, 1) ? dc : nullptr); break;
            case 2: made = CreateCompatibleBitmap(dc, pick(-2, 40), pick(-2, 40)); break;
            case 3:
                made = CreateDIBitmap(dc, &info.bmiHeader, pick(0, 1) * CBM_INIT, bits.data(),
                                      &info, 0);
                break;
            case 4: SelectObject(dc, any()); break;
            case 5: FillRect(dc, &r, static_cast<HBRUSH>(any())); break;
            case 6: FrameRect(dc, &r, static_cast<HBRUSH>(any())); break;
            case 7:
                GetDIBits(dc, static_cast<HBITMAP>(any()), start, lines,
                          pick(0, 3) ? bits.data() : nullptr, &info, 0);
                break;
            case 8:
                SetDIBits(dc, static_cast<HBITMAP>(any()), start, lines, bits.data(), &info, 0);
                break;
            case 9:
                BitBlt(dc, r.left, r.top, r.right, r.bottom, static_cast<HDC>(any()), pick(-20, 40),
                       pick(-20, 40), DWORD(pick(0, 255)) << 16);
                break;
            case 10: DeleteObject(any()); break;
            case 11: DeleteDC(dc); break;
        }
        if (made != nullptr) pool.push_back(made);
        const GdiCounts c = GdiLiveCounts();
        ASSERT_LE(c.selectedBitmaps, c.memoryDCs);
        ASSERT_EQ(c.surfaceDCs, 1);
    }
}
#endif

}  // namespace
