// The GDI calls of the settings dialog's symbol preview, made in its order
// on a window of the stand-in: the picture they leave, the log they write,
// and that they leave no object alive and every device context restored,
// even when any one allocation fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/platform/gdi_test_support.h"

namespace {

using gdi_test::GdiTest;
using gdi_test::Header32;
using gdi_test::Window;

// A square of modules, column by column as the engine stores them.
struct Modules {
    int side = 0;
    std::vector<uint8_t> dark;  // x * 177 + y
};

Modules Pattern(int side) {
    Modules m;
    m.side = side;
    m.dark.assign(177 * 177, 0);
    for (int x = 0; x < side; ++x) {
        for (int y = 0; y < side; ++y) {
            m.dark[size_t(x) * 177 + size_t(y)] = (x * 7 + y * 3) % 5 < 2;
        }
    }
    return m;
}

// Header of a 32-bit bottom-up DIB of `bitmap`'s size.
BITMAPINFO HeaderOf(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    BITMAPINFO info = Header32(bm.bmWidth, bm.bmHeight);
    info.bmiHeader.biSizeImage = DWORD(bm.bmWidth) * DWORD(bm.bmHeight) * 4;
    return info;
}

// The preview's paint of `item` on `dc`, call by call.
void PaintPreview(HDC dc, const RECT& item, const Modules& m) {
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    RECT r, f;
    SetRect(&r, item.left, item.top, item.right, item.bottom);
    FrameRect(dc, &r, black);
    f = r;
    InflateRect(&f, -1, -1);
    FillRect(dc, &f, white);
    if (m.side != 0) {
        const int n = 3 * (m.side + 8);
        HDC full = CreateCompatibleDC(dc);
        HBITMAP picture = CreateCompatibleBitmap(dc, n, n);
        HGDIOBJ fullFirst = SelectObject(full, picture);
        RECT all{0, 0, n, n};
        FillRect(full, &all, white);
        for (int i = 0; i < m.side; ++i) {
            for (int j = 0; j < m.side; ++j) {
                if (!m.dark[size_t(j) * 177 + size_t(i)]) continue;
                RECT cell{3 * (4 + j), 3 * (4 + i), 3 * (5 + j), 3 * (5 + i)};
                FillRect(full, &cell, black);
            }
        }
        InflateRect(&f, -1, -1);
        double k = std::min(double(f.right - f.left) / n, double(f.bottom - f.top) / n);
        if (k > 1) k = 1;
        const int w = int(n * k), h = int(n * k);
        const int x0 = (r.right - r.left - w) / 2 + r.left, y0 = (r.bottom - r.top - h) / 2 + r.top;
        HDC small = CreateCompatibleDC(dc);
        HBITMAP target = CreateCompatibleBitmap(dc, w, h);
        HGDIOBJ smallFirst = SelectObject(small, target);

        BITMAPINFO fullInfo = HeaderOf(picture);
        std::vector<uint8_t> source(size_t(n) * size_t(n) * 4, 255);
        HBITMAP placeholder = CreateDIBitmap(dc, &fullInfo.bmiHeader, 0, nullptr, nullptr, 0);
        SelectObject(full, placeholder);
        GetDIBits(full, picture, 0, UINT(n), source.data(), &fullInfo, DIB_RGB_COLORS);
        SelectObject(full, picture);
        DeleteObject(placeholder);
        BITMAPINFO smallInfo = HeaderOf(target);
        placeholder = CreateDIBitmap(dc, &smallInfo.bmiHeader, 0, nullptr, nullptr, 0);
        SelectObject(small, placeholder);

        std::vector<uint32_t> sums(size_t(w) * size_t(h)), counts(sums.size());
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const int tx = std::min(int(x * k + 0.5), w - 1),
                          ty = std::min(int(y * k + 0.5), h - 1);
                sums[size_t(ty) * size_t(w) + size_t(tx)] += source[(size_t(y) * n + x) * 4 + 2];
                ++counts[size_t(ty) * size_t(w) + size_t(tx)];
            }
        }
        std::vector<uint8_t> pixels(sums.size() * 4, 0);
        for (size_t i = 0; i < sums.size(); ++i) {
            const uint8_t g = counts[i] != 0 ? uint8_t(sums[i] / counts[i]) : 255;
            pixels[i * 4] = pixels[i * 4 + 1] = pixels[i * 4 + 2] = g;
        }
        SetDIBits(small, target, 0, UINT(h), pixels.data(), &smallInfo, DIB_RGB_COLORS);
        SelectObject(small, target);
        DeleteObject(placeholder);
        BitBlt(dc, x0, y0, w, h, small, 0, 0, SRCCOPY);
        SelectObject(full, fullFirst);
        SelectObject(small, smallFirst);
        DeleteObject(picture);
        DeleteObject(target);
        DeleteDC(full);
        DeleteDC(small);
    }
    DeleteObject(black);
    DeleteObject(white);
}

void ExpectOnlyTheWindowLeft() {
#if !defined(_WIN32)  // Windows keeps no count of a process's objects to read
    const GdiCounts c = GdiLiveCounts();
    EXPECT_EQ(c.surfaceDCs, 1);
    EXPECT_EQ(c.memoryDCs + c.bitmaps + c.brushes + c.selectedBitmaps + c.dcsNotRestored, 0);
#endif
}

TEST_F(GdiTest, ASymbolThatFitsIsShownUnscaledAndCentred) {
    Window w(100, 110);
    const Modules m = Pattern(21);  // 87 pixels with the quiet zone
    PaintPreview(w.dc, RECT{0, 0, 100, 110}, m);
    ExpectOnlyTheWindowLeft();
    const int x0 = (100 - 87) / 2, y0 = (110 - 87) / 2;
    for (int y = 0; y < 110; ++y) {
        for (int x = 0; x < 100; ++x) {
            uint32_t want = 0xFFFFFF;
            if (x == 0 || y == 0 || x == 99 || y == 109) want = 0;  // the frame
            const int mx = (x - x0) / 3 - 4, my = (y - y0) / 3 - 4;
            if (x >= x0 + 12 && y >= y0 + 12 && mx < 21 && my < 21 &&
                m.dark[size_t(mx) * 177 + size_t(my)]) {
                want = 0;
            }
            ASSERT_EQ(w.At(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(GdiTest, ALargeSymbolIsShrunkSquareAndCentredWithGreyEdges) {
    Window w(150, 170);
    PaintPreview(w.dc, RECT{0, 0, 150, 170}, Pattern(177));
    ExpectOnlyTheWindowLeft();
    // Rows and columns that are not plain white inside the frame.
    int left = 150, right = 0, top = 170, bottom = 0, greys = 0;
    for (int y = 1; y < 169; ++y) {
        for (int x = 1; x < 149; ++x) {
            const uint32_t p = w.At(x, y);
            ASSERT_EQ(p & 0xFF, (p >> 16) & 0xFF);  // grey: red, green and blue alike
            if (p == 0xFFFFFF) continue;
            greys += p != 0;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_GT(greys, 100);
    EXPECT_GE(left, 2 + 1);  // the quiet zone stays white
    EXPECT_LE(right, 147 - 1);
    EXPECT_NEAR(left + right, 149, 1);  // centred
    EXPECT_NEAR(top + bottom, 169, 1);
    EXPECT_NEAR(right - left, bottom - top, 1);
}

#if !defined(_WIN32)  // reads our layer's call log
TEST_F(GdiTest, NoSymbolLeavesTheFrameAndAWhiteInterior) {
    Window w(5, 4);
    GdiSetCallLog(true);
    PaintPreview(w.dc, RECT{0, 0, 5, 4}, Modules{});
    EXPECT_EQ(w.Text(), "#####|#...#|#...#|#####|");
    EXPECT_EQ(GdiCallLogText(),
              "CreateSolidBrush(0x0) = br3\n"
              "CreateSolidBrush(0xFFFFFF) = br4\n"
              "SetRect(0, 0, 5, 4) = 1\n"
              "FrameRect(sdc2, {0,0,5,4}, br3) = 1\n"
              "InflateRect({0,0,5,4}, -1, -1) = 1\n"
              "FillRect(sdc2, {1,1,4,3}, br4) = 1\n"
              "DeleteObject(br3) = 1\n"
              "DeleteObject(br4) = 1\n");
    ExpectOnlyTheWindowLeft();
}
#endif

#if !defined(_WIN32)  // reads our layer's call log
TEST_F(GdiTest, ThePaintsCallsAllSucceedInTheirOrder) {
    Window w(100, 110);
    GdiSetCallLog(true);
    PaintPreview(w.dc, RECT{0, 0, 100, 110}, Pattern(21));
    const std::vector<GdiCall> log = GdiCallLog();
    std::vector<std::string> names;
    for (const GdiCall& c : log) {
        EXPECT_NE(c.result, "0") << c.name << "(" << c.args << ")";
        EXPECT_NE(c.result, "NULL") << c.name << "(" << c.args << ")";
        if (c.name != "FillRect" && (names.empty() || names.back() != c.name)) {
            names.push_back(c.name);
        }
    }
    const std::vector<std::string> expected = {
        "CreateSolidBrush", "SetRect", "FrameRect", "InflateRect", "CreateCompatibleDC",
        "CreateCompatibleBitmap", "SelectObject", "InflateRect", "CreateCompatibleDC",
        "CreateCompatibleBitmap", "SelectObject", "GetObjectA", "CreateDIBitmap", "SelectObject",
        "GetDIBits", "SelectObject", "DeleteObject", "GetObjectA", "CreateDIBitmap", "SelectObject",
        "SetDIBits", "SelectObject", "DeleteObject", "BitBlt", "SelectObject", "DeleteObject",
        "DeleteDC", "DeleteObject"};
    EXPECT_EQ(names, expected);
}
#endif

#if !defined(_WIN32)  // reads our layer's call log
TEST_F(GdiTest, AnyFailedAllocationLeavesNothingBehind) {
    Window w(100, 110);
    const unsigned before = GdiAllocationCount();
    PaintPreview(w.dc, RECT{0, 0, 100, 110}, Pattern(21));
    const unsigned allocations = GdiAllocationCount() - before;
    EXPECT_EQ(allocations, 8u);  // two brushes, two DCs, two bitmaps, two placeholders
    for (unsigned k = 1; k <= allocations; ++k) {
        GdiFailAllocation(k);
        PaintPreview(w.dc, RECT{0, 0, 100, 110}, Pattern(21));
        ExpectOnlyTheWindowLeft();
    }
    GdiFailAllocation(0);
}
#endif

}  // namespace
