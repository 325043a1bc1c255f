// The GDI layer's objects: one table of every live brush, bitmap and device
// context, the handles that name them, and the layer's settings. Internal to
// the platform library.
//
// A handle is (kind << 24) | (generation << 16) | slot. The kind is never 0,
// so no handle is a small number such as a system colour index; the
// generation changes whenever a slot is freed, so a deleted object's handle
// stays dead while its slot is reused. Handles are only ever looked up in
// the table, never followed as addresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win_gdi.h"

namespace gdi {

enum class Kind : uint8_t { Free = 0, MemoryDC = 1, SurfaceDC = 2, Bitmap = 3, Brush = 4 };

// A handle's value.
using Handle = uint32_t;

// At most this many objects live at once, stock objects aside (the per
// process default of Windows).
inline constexpr unsigned kMaxObjects = 10000;
// The largest side of a bitmap or surface.
inline constexpr int kMaxSide = 32767;
// The table slots of the stock objects.
inline constexpr unsigned kStockBitmapSlot = 0;
inline constexpr unsigned kStockBrushSlot = 1;

// Pixels are 32-bit values 0x00RRGGBB, so that in memory they read blue,
// green, red, 0 as 32-bit device-independent bitmaps do. A monochrome
// bitmap holds only 0 (black, bit 0) and 0x00FFFFFF (white, bit 1).
struct BitmapData {
    int width = 0;
    int height = 0;
    bool mono = false;
    std::vector<uint32_t> pixels;  // rows top-down, width pixels each
    Handle selectedIn = 0;         // the device context holding it, 0 if none
};

struct BrushData {
    COLORREF color = 0;
    int selections = 0;  // device contexts holding it
};

struct DCData {
    Handle bitmap = 0;  // memory device contexts: the selected bitmap
    Handle brush = 0;
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    // Surface device contexts: the caller's pixels.
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
    uint8_t* pixels = nullptr;
};

struct Object {
    Kind kind = Kind::Free;
    uint8_t generation = 0;
    bool stock = false;
    BitmapData bitmap;
    BrushData brush;
    DCData dc;
};

// The handle value of the object in `slot`.
Handle HandleOf(unsigned slot);

// The object `handle` names if it is alive and of `kind`; null otherwise.
Object* Find(const void* handle, Kind kind);
// The device context (memory or surface) `handle` names, or null.
Object* FindDC(const void* handle);
// Any live object `handle` names, or null.
Object* FindAny(const void* handle);

// A new object of `kind` and its handle in `handle`; null, with the last
// error set, when the table is full or an injected fault fails it. Object
// pointers stay valid while their objects live.
Object* NewObject(Kind kind, Handle* handle);

// Frees the object `handle` names (not a stock one).
void FreeObject(Handle handle);

// The handle of a live object.
Handle HandleOf(const Object& object);

// Whether a bitmap compatible with `dc` is monochrome: when `dc` is a memory
// device context holding a monochrome bitmap.
bool CompatibleIsMono(const Object& dc);

// A new bitmap of 1 to kMaxSide pixels each way, all black; 0, with the last
// error set, on failure.
Handle NewBitmap(int width, int height, bool mono);

// Takes the device context's bitmap and brush out of it, before it goes.
void ReleaseSelections(Object& dc);

// Gives `bitmap` width x height black pixels of the given format; false,
// with the last error set, when they exceed the pixel budget or memory.
bool AllocatePixels(BitmapData* bitmap, int width, int height, bool mono);

// Whether GetDIBits and SetDIBits accept a bitmap selected into a device
// context.
bool DIBitsOnSelectedAllowed();

// A handle value as a pointer.
inline void* AsPointer(Handle handle) { return reinterpret_cast<void*>(uintptr_t{handle}); }

}  // namespace gdi
