// Device-independent bitmaps: 32-bit BI_RGB pixels read from and written to
// device-dependent bitmaps, scan line by scan line.
//
// Scan s of a bottom-up DIB (positive height) is the bitmap's row s counted
// up from its bottom row; scan s of a top-down DIB is its row s counted down
// from the top. A DIB of another height than the bitmap is laid over it from
// its top edge either way, as Windows lays it: the DIB's row r (counted from
// its top) is the bitmap's row r. The caller's buffer holds the scans asked
// for, first one first, width x 4 bytes each; nothing outside them is read or
// written. Pixels of those scans that fall outside the bitmap read as 0 and
// are not written; the calls count the scans that lie on the bitmap.
#include <algorithm>
#include <cstring>

#include "platform/gdi_log.h"
#include "platform/gdi_pixels.h"
#include "platform/win_files.h"

using gdi::Call;
using gdi::Kind;
using gdi::Object;

namespace {

// The layout of a 32-bit DIB as its header gives it.
struct DibLayout {
    int width = 0;
    int height = 0;  // rows, whichever way they run
    bool topDown = false;
    ptrdiff_t stride = 0;
};

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

// Reads a header of at least the size of BITMAPINFOHEADER that describes an
// uncompressed 32-bit DIB of 1 to kMaxSide pixels each way.
bool ReadLayout(const BITMAPINFOHEADER* h, DibLayout* layout) {
    if (h == nullptr || h->biSize < sizeof(BITMAPINFOHEADER) || h->biPlanes != 1 ||
        h->biBitCount != 32 || h->biCompression != BI_RGB) {
        return false;
    }
    const int64_t height = h->biHeight < 0 ? -int64_t{h->biHeight} : int64_t{h->biHeight};
    if (h->biWidth < 1 || h->biWidth > gdi::kMaxSide || height < 1 || height > gdi::kMaxSide) {
        return false;
    }
    layout->width = h->biWidth;
    layout->height = static_cast<int>(height);
    layout->topDown = h->biHeight < 0;
    layout->stride = ptrdiff_t{h->biWidth} * 4;
    return true;
}

bool UsageKnown(UINT usage) { return usage == DIB_RGB_COLORS || usage == DIB_PAL_COLORS; }

// Whether the documented rule (the bitmap is not selected into a device
// context) refuses `bitmap`. The stock bitmap, held by every new memory
// device context, is not refused.
bool RefusedAsSelected(const Object& bitmap) {
    return bitmap.bitmap.selectedIn != 0 && !gdi::DIBitsOnSelectedAllowed();
}

// The scans [start, start + lines) that exist in the DIB: their number.
int ScanCount(const DibLayout& dib, UINT start, UINT lines) {
    if (start >= UINT(dib.height)) return 0;
    return static_cast<int>(std::min<UINT>(lines, UINT(dib.height) - start));
}

// The bitmap row of a scan, possibly outside the bitmap.
int64_t RowOfScan(const DibLayout& dib, UINT scan) {
    return dib.topDown ? int64_t{scan} : int64_t{dib.height} - 1 - int64_t{scan};
}

int ReadScans(gdi::BitmapData& bitmap, const DibLayout& dib, UINT start, UINT lines, void* bits) {
    const gdi::Surface s = gdi::SurfaceOf(bitmap);
    const int count = ScanCount(dib, start, lines);
    const int columns = std::min(dib.width, s.width);
    int onBitmap = 0;
    for (int k = 0; k < count; ++k) {
        auto* out = static_cast<uint8_t*>(bits) + k * dib.stride;
        std::memset(out, 0, size_t(dib.stride));
        const int64_t row = RowOfScan(dib, start + UINT(k));
        if (row < 0 || row >= s.height) continue;
        ++onBitmap;
        for (int x = 0; x < columns; ++x) {
            const uint32_t pixel = gdi::Load(s, x, int(row));
            std::memcpy(out + ptrdiff_t{x} * 4, &pixel, 4);
        }
    }
    return onBitmap;
}

int WriteScans(gdi::BitmapData& bitmap, const DibLayout& dib, UINT start, UINT lines,
               const void* bits) {
    const gdi::Surface s = gdi::SurfaceOf(bitmap);
    const int count = ScanCount(dib, start, lines);
    const int columns = std::min(dib.width, s.width);
    int onBitmap = 0;
    for (int k = 0; k < count; ++k) {
        const auto* in = static_cast<const uint8_t*>(bits) + k * dib.stride;
        const int64_t row = RowOfScan(dib, start + UINT(k));
        if (row < 0 || row >= s.height) continue;
        ++onBitmap;
        for (int x = 0; x < columns; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, in + ptrdiff_t{x} * 4, 4);
            gdi::Store(s, x, int(row), gdi::FromDibPixel(pixel, s.mono));
        }
    }
    return onBitmap;
}

// GetDIBits with no buffer: the header describes the bitmap, in its own
// format when biBitCount is 0, else as the 32-bit DIB asked for.
int DescribeBitmap(const gdi::BitmapData& bitmap, BITMAPINFOHEADER* h) {
    if (h->biBitCount == 0) {
        const int bits = bitmap.mono ? 1 : 32;
        h->biWidth = bitmap.width;
        h->biHeight = bitmap.height;
        h->biPlanes = 1;
        h->biBitCount = static_cast<WORD>(bits);
        h->biCompression = BI_RGB;
        h->biSizeImage = DWORD((bitmap.width * bits + 31) / 32 * 4) * DWORD(bitmap.height);
        h->biXPelsPerMeter = h->biYPelsPerMeter = 0;
        h->biClrUsed = h->biClrImportant = 0;
        return bitmap.height;
    }
    DibLayout dib;
    if (!ReadLayout(h, &dib)) return Fail(ERROR_INVALID_PARAMETER);
    h->biWidth = bitmap.width;
    h->biHeight = dib.topDown ? -bitmap.height : bitmap.height;
    h->biSizeImage = DWORD(bitmap.width) * 4 * DWORD(bitmap.height);
    return bitmap.height;
}

}  // namespace

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    Call call("GetDIBits", dc, bitmap, start, lines, gdi::Buffer{bits},
              static_cast<const BITMAPINFO*>(info));
    Object* b = gdi::Find(bitmap, Kind::Bitmap);
    if (gdi::FindDC(dc) == nullptr || b == nullptr) return call.Done(Fail(ERROR_INVALID_HANDLE));
    if (info == nullptr || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        !UsageKnown(usage) || RefusedAsSelected(*b)) {
        return call.Done(Fail(ERROR_INVALID_PARAMETER));
    }
    if (bits == nullptr) return call.Done(DescribeBitmap(b->bitmap, &info->bmiHeader));
    DibLayout dib;
    if (!ReadLayout(&info->bmiHeader, &dib)) return call.Done(Fail(ERROR_INVALID_PARAMETER));
    return call.Done(ReadScans(b->bitmap, dib, start, lines, bits));
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    Call call("SetDIBits", dc, bitmap, start, lines, gdi::Buffer{bits}, info);
    Object* b = gdi::Find(bitmap, Kind::Bitmap);
    if (b == nullptr) return call.Done(Fail(ERROR_INVALID_HANDLE));
    DibLayout dib;
    if (bits == nullptr || info == nullptr || !ReadLayout(&info->bmiHeader, &dib) ||
        !UsageKnown(usage) || RefusedAsSelected(*b)) {
        return call.Done(Fail(ERROR_INVALID_PARAMETER));
    }
    return call.Done(WriteScans(b->bitmap, dib, start, lines, bits));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    Call call("CreateDIBitmap", dc, header, gdi::Hex{init}, gdi::Buffer{bits}, info);
    const Object* d = gdi::FindDC(dc);
    if (d == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return call.Done(HBITMAP{});
    }
    const bool initialise = (init & CBM_INIT) != 0;
    DibLayout source;
    bool valid = header != nullptr && header->biSize >= sizeof(BITMAPINFOHEADER);
    if (initialise) {
        valid = valid && bits != nullptr && info != nullptr &&
                ReadLayout(&info->bmiHeader, &source) && UsageKnown(usage);
    }
    const int64_t width = valid ? header->biWidth : -1;
    const int64_t height = valid ? (header->biHeight < 0 ? -int64_t{header->biHeight}
                                                        : int64_t{header->biHeight})
                                 : -1;
    if (width < 0 || width > gdi::kMaxSide || height > gdi::kMaxSide) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return call.Done(HBITMAP{});
    }
    // As CreateCompatibleBitmap: no pixels each way gives the stock bitmap.
    if (width == 0 || height == 0) {
        return call.Done(
            static_cast<HBITMAP>(gdi::AsPointer(gdi::HandleOf(gdi::kStockBitmapSlot))));
    }
    const gdi::Handle handle = gdi::NewBitmap(static_cast<int>(width), static_cast<int>(height),
                                              gdi::CompatibleIsMono(*d));
    if (handle != 0 && initialise) {
        Object* b = gdi::Find(gdi::AsPointer(handle), Kind::Bitmap);
        WriteScans(b->bitmap, source, 0, UINT(source.height), bits);
    }
    return call.Done(static_cast<HBITMAP>(gdi::AsPointer(handle)));
}
