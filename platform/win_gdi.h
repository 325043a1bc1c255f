// The Windows GDI calls the plug-in's preview makes, with their Windows
// meanings, over this machine's memory: brushes, rectangles, device contexts
// with their selected objects, device-dependent bitmaps (monochrome or 32 bits
// per pixel, the screen's format) and 32-bit device-independent bitmaps.
//
// Handles are opaque values checked against the live objects; one that is
// null, freed, made up or of the wrong kind makes the call fail with its
// documented result, and is never used as an address. Colours are COLORREF
// (0x00BBGGRR); rectangles include their left and top edges and exclude their
// right and bottom edges. A new device context draws with black text, a white
// background and the stock white brush; a memory device context starts with
// the stock 1 x 1 monochrome bitmap.
#pragma once

#include <cstddef>

#include "platform/win_types.h"

// On Windows, <windows.h> (through win_types.h) declares all of this.
#if !defined(_WIN32)

#ifndef DECLARE_HANDLE
#define DECLARE_HANDLE(name) \
    struct name##__ {        \
        int unused;          \
    };                       \
    typedef struct name##__* name
#endif

DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HBRUSH);
typedef void* HGDIOBJ;
typedef DWORD COLORREF;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;

// What GetObjectA reports of a bitmap.
struct BITMAP {
    LONG bmType;        // 0
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // bytes per row, even
    WORD bmPlanes;      // 1
    WORD bmBitsPixel;   // 1 or 32
    LPVOID bmBits;      // null for a device-dependent bitmap
};

// What GetObjectA reports of a brush.
struct LOGBRUSH {
    UINT lbStyle;  // BS_SOLID
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};

struct BITMAPINFOHEADER {
    DWORD biSize;  // 40
    LONG biWidth;
    LONG biHeight;  // positive: bottom-up rows; negative: top-down
    WORD biPlanes;  // 1
    WORD biBitCount;
    DWORD biCompression;  // BI_RGB
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;

static_assert(sizeof(RECT) == 16 && sizeof(BITMAPINFOHEADER) == 40 && sizeof(RGBQUAD) == 4);
static_assert(sizeof(BITMAP) == (sizeof(void*) == 8 ? 32 : 24));
static_assert(sizeof(LOGBRUSH) == (sizeof(void*) == 8 ? 16 : 12));

#define RGB(r, g, b)                                                  \
    (static_cast<COLORREF>(static_cast<BYTE>(r) |                     \
                           (static_cast<DWORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (static_cast<BYTE>((c) & 0xFF))
#define GetGValue(c) (static_cast<BYTE>(((c) >> 8) & 0xFF))
#define GetBValue(c) (static_cast<BYTE>(((c) >> 16) & 0xFF))
#define CLR_INVALID 0xFFFFFFFF

#define BS_SOLID 0
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04

// Raster operations of BitBlt (any of the 256 ternary operations works).
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define SRCERASE 0x00440328
#define NOTSRCCOPY 0x00330008
#define NOTSRCERASE 0x001100A6
#define MERGECOPY 0x00C000CA
#define MERGEPAINT 0x00BB0226
#define PATCOPY 0x00F00021
#define PATPAINT 0x00FB0A09
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Creates a solid brush of `color`; null when no object can be made.
ORVELK_PLATFORM_API HBRUSH CreateSolidBrush(COLORREF color);

// Sets the four coordinates of `rect`; FALSE for a null rectangle.
ORVELK_PLATFORM_API BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);

// Moves the left and right edges out by dx and the top and bottom edges out by
// dy (negative values move them in); FALSE for a null rectangle.
ORVELK_PLATFORM_API BOOL InflateRect(LPRECT rect, int dx, int dy);

// Fills `rect` (right and bottom edges excluded) with `brush`, clipped to the
// device context's surface. An empty rectangle draws nothing and succeeds; an
// inverted one is painted from the same edges the other way ({5, 3, 4, 0} is
// column 5, rows 1 to 3). Non-zero on success, 0 for a bad device context,
// rectangle or brush. A system colour value (COLOR_* + 1), which Windows
// paints in that colour, is no brush here: the layer keeps no system colours.
ORVELK_PLATFORM_API int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// Draws the one-pixel border just inside `rect` with `brush`. Non-zero on
// success; 0 for a bad device context, rectangle or brush, and for an empty
// or inverted rectangle, which draws nothing.
ORVELK_PLATFORM_API int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);

// A memory device context compatible with `dc`, or with the screen when `dc`
// is null, holding the stock 1 x 1 monochrome bitmap; null on failure.
ORVELK_PLATFORM_API HDC CreateCompatibleDC(HDC dc);

// A bitmap of the format of `dc`'s surface: monochrome when `dc` is a memory
// device context holding a monochrome bitmap (the stock one included), 32
// bits per pixel otherwise. Width or height 0 gives the stock 1 x 1
// monochrome bitmap. The pixels start black. Null on failure.
ORVELK_PLATFORM_API HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// Selects a bitmap (into a memory device context only, and into one at a
// time) or a brush into `dc`; returns the object of that kind it replaces,
// or null on failure.
ORVELK_PLATFORM_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// Copies what describes `object` into `buffer`: a BITMAP for a bitmap, a
// LOGBRUSH for a brush. Returns the bytes written, or with a null buffer the
// bytes needed; 0 for a bad object or a buffer smaller than the structure
// (Windows copies that much of a brush's; here nothing). Any alignment will
// do.
ORVELK_PLATFORM_API int GetObjectA(HANDLE object, int size, LPVOID buffer);

// A bitmap compatible with `dc` of the header's width and |height|; with
// CBM_INIT its pixels come from `bits` as described by `info`, as SetDIBits
// would set them. Null on failure.
ORVELK_PLATFORM_API HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                           const void* bits, const BITMAPINFO* info, UINT usage);

// Copies scan lines [start, start + lines) of `bitmap` into `bits` as a
// 32-bit BI_RGB device-independent bitmap of the header's size (rows of
// width x 4 bytes; scan 0 is the bottom row when the height is positive, the
// top row when negative). Returns the lines copied, 0 on failure. With null
// `bits` it fills in the header instead (the bitmap's own format when
// biBitCount is 0) and returns non-zero. The bitmap must not be selected
// into a device context.
ORVELK_PLATFORM_API int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits,
                                  LPBITMAPINFO info, UINT usage);

// Sets scan lines [start, start + lines) of `bitmap` from `bits`, laid out as
// GetDIBits writes them. `dc` is not used. Returns the lines set, 0 on
// failure. The bitmap must not be selected into a device context.
ORVELK_PLATFORM_API int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
                                  const BITMAPINFO* info, UINT usage);

// Combines the width x height block of `source` at (sx, sy) with the block
// of `dest` at (x, y) by the raster operation `rop` (SRCCOPY copies),
// converting between monochrome and colour; clipped to both surfaces. A
// negative width or height reaches the other way from the same edge in both
// (x = 2, width = -2 is columns 1 and 2).
ORVELK_PLATFORM_API BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx,
                                int sy, DWORD rop);

// Sets the colour that monochrome 0 pixels become when copied into `dc`;
// returns the previous one, CLR_INVALID for a bad device context.
ORVELK_PLATFORM_API COLORREF SetTextColor(HDC dc, COLORREF color);

// Sets the background colour: monochrome 1 pixels become it when copied into
// `dc`, and colour pixels equal to it become white when copied out of `dc`
// into a monochrome bitmap. Returns as SetTextColor.
ORVELK_PLATFORM_API COLORREF SetBkColor(HDC dc, COLORREF color);

// Deletes a brush or bitmap (or a memory device context). FALSE for a bad
// handle or an object selected into a device context; TRUE, doing nothing,
// for a stock object.
ORVELK_PLATFORM_API BOOL DeleteObject(HGDIOBJ object);

// Deletes a memory device context; the objects selected into it stay alive
// and are no longer selected. FALSE for anything else.
ORVELK_PLATFORM_API BOOL DeleteDC(HDC dc);

#endif  // !_WIN32
