// The GDI layer under any sequence of the calls the preview makes, with any
// sizes, colours, raster operations and handles - live, deleted, of another
// kind or made up. The bits buffers are exactly as large as the call's
// header says a caller provides, so a byte written or read beyond them is
// seen. Every run ends with the layer reset.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "platform/gdi_monitor.h"
#include "platform/win_gdi.h"

namespace {

constexpr size_t kSlots = 16;
// Bits buffers the harness gives at most; larger headers get none.
constexpr uint64_t kMostBitsBytes = 4u << 20;

struct Run {
    FuzzedDataProvider& in;
    void* slots[kSlots] = {};

    // A live handle, a stale one, or any value at all.
    void* Handle() {
        if (in.ConsumeBool()) return slots[in.ConsumeIntegralInRange<size_t>(0, kSlots - 1)];
        return reinterpret_cast<void*>(in.ConsumeIntegral<uintptr_t>());
    }
    HDC Dc() { return static_cast<HDC>(Handle()); }
    void Keep(void* handle) {
        if (handle != nullptr) slots[in.ConsumeIntegralInRange<size_t>(0, kSlots - 1)] = handle;
    }
    int Size() { return in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-4, 300) : in.ConsumeIntegral<int>(); }
    RECT Rect() {
        RECT r;
        SetRect(&r, Size(), Size(), Size(), Size());
        return r;
    }
    BITMAPINFO Header() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = in.ConsumeBool() ? 40 : in.ConsumeIntegral<DWORD>();
        info.bmiHeader.biWidth = Size();
        info.bmiHeader.biHeight = Size();
        info.bmiHeader.biPlanes = in.ConsumeBool() ? 1 : in.ConsumeIntegral<WORD>();
        info.bmiHeader.biBitCount = in.ConsumeBool() ? 32 : in.ConsumeIntegral<WORD>();
        info.bmiHeader.biCompression = in.ConsumeBool() ? BI_RGB : in.ConsumeIntegral<DWORD>();
        return info;
    }
    // The bytes of `lines` rows of the header's width as a 32-bit DIB: what a
    // caller of GetDIBits or SetDIBits provides.
    static uint64_t BitsBytes(const BITMAPINFO& info, uint64_t lines) {
        const int64_t width = info.bmiHeader.biWidth;
        return width <= 0 ? 0 : static_cast<uint64_t>(width) * 4 * lines;
    }
};

void Step(Run& r, int op) {
    switch (op) {
        case 0: r.Keep(CreateCompatibleDC(r.in.ConsumeBool() ? nullptr : r.Dc())); break;
        case 1: {
            const HDC dc = r.Dc();
            const int w = r.Size(), h = r.Size();
            r.Keep(CreateCompatibleBitmap(dc, w, h));
            break;
        }
        case 2: r.Keep(CreateSolidBrush(r.in.ConsumeIntegral<COLORREF>())); break;
        case 3: {
            const HDC dc = r.Dc();
            r.Keep(SelectObject(dc, r.Handle()));
            break;
        }
        case 4:
        case 5: {
            const HDC dc = r.Dc();
            const RECT rect = r.Rect();
            const auto brush = static_cast<HBRUSH>(r.Handle());
            op == 4 ? FillRect(dc, &rect, brush) : FrameRect(dc, &rect, brush);
            break;
        }
        case 6: {
            const HDC dest = r.Dc();
            const int x = r.Size(), y = r.Size(), w = r.Size(), h = r.Size();
            const HDC source = r.Dc();
            const int sx = r.Size(), sy = r.Size();
            const DWORD rop = r.in.ConsumeBool()
                                  ? (static_cast<DWORD>(r.in.ConsumeIntegral<uint8_t>()) << 16)
                                  : r.in.ConsumeIntegral<DWORD>();
            BitBlt(dest, x, y, w, h, source, sx, sy, rop);
            break;
        }
        case 7: {
            const HANDLE object = r.Handle();
            const int size = r.in.ConsumeIntegralInRange<int>(-1, 48);
            std::vector<uint8_t> buffer(size > 0 ? static_cast<size_t>(size) : 0);
            GetObjectA(object, size, buffer.empty() ? nullptr : buffer.data());
            break;
        }
        case 8:
        case 9: {
            const HDC dc = r.Dc();
            const auto bitmap = static_cast<HBITMAP>(r.Handle());
            const UINT start = r.in.ConsumeIntegralInRange<UINT>(0, 400);
            const UINT lines = r.in.ConsumeIntegralInRange<UINT>(0, 400);
            BITMAPINFO info = r.Header();
            const uint64_t bytes = Run::BitsBytes(info, lines);
            const bool withBits = bytes > 0 && bytes <= kMostBitsBytes && r.in.ConsumeBool();
            std::vector<uint8_t> bits(withBits ? bytes : 0, 0x5A);
            if (op == 8)
                GetDIBits(dc, bitmap, start, lines, withBits ? bits.data() : nullptr, &info,
                          DIB_RGB_COLORS);
            else
                SetDIBits(dc, bitmap, start, lines, withBits ? bits.data() : nullptr, &info,
                          r.in.ConsumeBool() ? DIB_RGB_COLORS : DIB_PAL_COLORS);
            break;
        }
        case 10: {
            const HDC dc = r.Dc();
            BITMAPINFO info = r.Header();
            const int64_t height = info.bmiHeader.biHeight;
            const uint64_t bytes = Run::BitsBytes(info, static_cast<uint64_t>(height < 0 ? -height : height));
            const bool withBits = bytes > 0 && bytes <= kMostBitsBytes;
            std::vector<uint8_t> bits(withBits ? bytes : 0, 0xA5);
            r.Keep(CreateDIBitmap(dc, &info.bmiHeader, withBits && r.in.ConsumeBool() ? CBM_INIT : 0,
                                  withBits ? bits.data() : nullptr, &info, DIB_RGB_COLORS));
            break;
        }
        case 11: SetTextColor(r.Dc(), r.in.ConsumeIntegral<COLORREF>()); break;
        case 12: SetBkColor(r.Dc(), r.in.ConsumeIntegral<COLORREF>()); break;
        case 13: DeleteObject(r.Handle()); break;
        case 14: DeleteDC(r.Dc()); break;
        case 15: GdiFailAllocation(r.in.ConsumeIntegralInRange<unsigned>(0, 8)); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    GdiReset();
    GdiSetPixelBudget(16u << 20);  // room for what the preview draws, kept fast
    Run run{in};
    for (int steps = 0; steps < 256 && in.remaining_bytes() > 0; ++steps)
        Step(run, in.ConsumeIntegralInRange<int>(0, 15));
    const GdiCounts live = GdiLiveCounts();
    FUZZ_CHECK(live.memoryDCs >= 0 && live.bitmaps >= 0 && live.brushes >= 0 &&
                   live.selectedBitmaps <= live.bitmaps,
               "the live counts add up");
    GdiReset();
    return 0;
}
