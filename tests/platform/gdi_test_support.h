// What the GDI tests share: a window to paint on and reading pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_gdi.h"
#if !defined(_WIN32)
#include "platform/gdi_monitor.h"
#include "platform/gdi_surface.h"
#endif

namespace gdi_test {

// A pixel value no GDI call writes unless told to: pixels left untouched.
inline constexpr uint32_t kUntouched = 0x00808080;

// The pixel (0x00RRGGBB) a COLORREF paints on a colour surface.
inline uint32_t Px(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// Rows of pixels as text: '#' black, '.' white, '-' untouched, 'x' anything else.
inline std::string Picture(const std::vector<uint32_t>& pixels, int width) {
    std::string text;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i] & 0xFFFFFF;
        text += p == 0 ? '#' : p == 0xFFFFFF ? '.' : p == kUntouched ? '-' : 'x';
        if ((i + 1) % size_t(width) == 0) text += '|';
    }
    return text;
}

// A 32-bit BI_RGB header; negative height for top-down rows.
inline BITMAPINFO Header32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

#if defined(_WIN32)
// On Windows, a window's colour pixels: a bitmap of the screen's format in a
// memory device context, all untouched at first, read back with GetDIBits.
struct Window {
    Window(int w, int h) : width(w), height(h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        std::vector<uint32_t> untouched(size_t(w) * size_t(h), kUntouched);
        BITMAPINFO info = Header32(w, -h);
        SetDIBits(dc, bitmap, 0, UINT(h), untouched.data(), &info, DIB_RGB_COLORS);
    }
    ~Window() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> pixels(size_t(width) * size_t(height));
        BITMAPINFO info = Header32(width, -height);
        GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
        return pixels;
    }
    uint32_t At(int x, int y) const { return Pixels()[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF; }
    std::string Text() const { return Picture(Pixels(), width); }

    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
#else
// A surface device context over pixels of its own, all untouched at first.
struct Window {
    Window(int w, int h)
        : width(w), pixels(size_t(w) * size_t(h), kUntouched),
          dc(GdiCreateSurfaceDC(w, h, ptrdiff_t{w} * 4, pixels.data())) {}
    ~Window() { GdiReleaseSurfaceDC(dc); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    uint32_t At(int x, int y) const {
        return pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
    }
    std::string Text() const { return Picture(pixels, width); }

    int width;
    std::vector<uint32_t> pixels;
    HDC dc;
};
#endif

// A bitmap's pixels, top row first, read with GetDIBits (it must not be
// selected anywhere).
inline std::vector<uint32_t> ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    BITMAPINFO info = Header32(width, -height);
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS), height);
    return pixels;
}

// Every test starts and ends with no GDI objects.
#if defined(_WIN32)
class GdiTest : public testing::Test {};
#else
class GdiTest : public testing::Test {
  protected:
    void SetUp() override { GdiReset(); }
    void TearDown() override { GdiReset(); }
};
#endif

}  // namespace gdi_test
