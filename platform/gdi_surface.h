// Device contexts over a caller's pixels, for the host stand-in: the "window"
// a dialog manager hands a draw procedure, whose pixels it reads back after
// the paint. Not a Windows call; the plug-in never includes this header.
#pragma once

#include <cstddef>

#include "platform/win_gdi.h"

// A device context that draws on `pixels`: `height` rows of `width` 32-bit
// pixels, top row first, each row `stride` bytes apart, each pixel the bytes
// blue, green, red and one GDI leaves 0 (the layout of a top-down 32-bit
// device-independent bitmap). The caller keeps the pixels alive until
// GdiReleaseSurfaceDC. Bitmaps cannot be selected into it; DeleteDC refuses
// it. Null for a null buffer, a size below 1 or above 32767, or a stride
// below width x 4 or above 2 GiB.
ORVELK_PLATFORM_API HDC GdiCreateSurfaceDC(int width, int height, ptrdiff_t stride, void* pixels);

// Releases a device context made by GdiCreateSurfaceDC; its selected brush
// is no longer selected. FALSE for any other handle.
ORVELK_PLATFORM_API BOOL GdiReleaseSurfaceDC(HDC dc);
