#include "platform/gdi_objects.h"

#include <cassert>
#include <new>

#include "platform/gdi_monitor.h"
#include "platform/gdi_log.h"
#include "platform/win_files.h"

namespace gdi {
namespace {

constexpr size_t kDefaultPixelBudget = size_t{512} << 20;
constexpr unsigned kSlots = kMaxObjects + 2;  // the stock objects first

// Everything the layer keeps, in one place.
struct State {
    std::vector<Object> objects;  // reserved for kSlots, so it never moves
    std::vector<unsigned> freeSlots;
    unsigned allocations = 0;
    unsigned failAt = 0;  // allocation number that fails, 0 for none
    size_t pixelBudget = kDefaultPixelBudget;
    size_t pixelBytes = 0;
    bool dibitsOnSelected = false;
};

void AddStockObjects(State& s) {
    Object bitmap;
    bitmap.kind = Kind::Bitmap;
    bitmap.stock = true;
    bitmap.bitmap.width = bitmap.bitmap.height = 1;
    bitmap.bitmap.mono = true;
    bitmap.bitmap.pixels.assign(1, 0);
    s.objects.push_back(std::move(bitmap));

    Object brush;
    brush.kind = Kind::Brush;
    brush.stock = true;
    brush.brush.color = RGB(255, 255, 255);
    s.objects.push_back(std::move(brush));
}

State& S() {
    static State* state = [] {
        auto* s = new State;
        s->objects.reserve(kSlots);
        AddStockObjects(*s);
        return s;
    }();
    return *state;
}

unsigned SlotOf(Handle h) { return h & 0xFFFF; }
Kind KindOf(Handle h) { return static_cast<Kind>(h >> 24); }
uint8_t GenerationOf(Handle h) { return static_cast<uint8_t>(h >> 16); }

// The handle's value if it fits in 32 bits, else 0 (never a handle).
Handle ValueOf(const void* handle) {
    const uintptr_t v = reinterpret_cast<uintptr_t>(handle);
    return v > 0xFFFFFFFFu ? 0 : static_cast<Handle>(v);
}

}  // namespace

Handle HandleOf(unsigned slot) {
    const Object& o = S().objects[slot];
    return (Handle{static_cast<uint8_t>(o.kind)} << 24) | (Handle{o.generation} << 16) | slot;
}

Object* FindAny(const void* handle) {
    State& s = S();
    const Handle h = ValueOf(handle);
    const unsigned slot = SlotOf(h);
    if (h == 0 || slot >= s.objects.size()) return nullptr;
    Object& o = s.objects[slot];
    if (o.kind == Kind::Free || o.kind != KindOf(h) || o.generation != GenerationOf(h)) {
        return nullptr;
    }
    return &o;
}

Object* Find(const void* handle, Kind kind) {
    Object* o = FindAny(handle);
    return o != nullptr && o->kind == kind ? o : nullptr;
}

Object* FindDC(const void* handle) {
    Object* o = FindAny(handle);
    return o != nullptr && (o->kind == Kind::MemoryDC || o->kind == Kind::SurfaceDC) ? o : nullptr;
}

Object* NewObject(Kind kind, Handle* handle) {
    assert(kind != Kind::Free);
    State& s = S();
    ++s.allocations;
    if (s.failAt != 0 && s.allocations == s.failAt) {
        s.failAt = 0;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    unsigned slot;
    if (!s.freeSlots.empty()) {
        slot = s.freeSlots.back();
        s.freeSlots.pop_back();
    } else if (s.objects.size() < kSlots) {
        slot = static_cast<unsigned>(s.objects.size());
        s.objects.emplace_back();
    } else {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Object& o = s.objects[slot];
    const uint8_t generation = o.generation;
    o = Object{};
    o.kind = kind;
    o.generation = generation;
    *handle = HandleOf(slot);
    return &o;
}

void FreeObject(Handle handle) {
    State& s = S();
    const unsigned slot = SlotOf(handle);
    assert(slot < s.objects.size() && !s.objects[slot].stock);
    Object& o = s.objects[slot];
    s.pixelBytes -= o.bitmap.pixels.size() * sizeof(uint32_t);
    const uint8_t generation = static_cast<uint8_t>(o.generation + 1);
    o = Object{};
    o.generation = generation;
    s.freeSlots.push_back(slot);
}

Handle HandleOf(const Object& object) {
    const State& s = S();
    assert(&object >= s.objects.data() && &object < s.objects.data() + s.objects.size());
    return HandleOf(static_cast<unsigned>(&object - s.objects.data()));
}

bool CompatibleIsMono(const Object& dc) {
    if (dc.kind != Kind::MemoryDC) return false;
    const Object* bitmap = Find(AsPointer(dc.dc.bitmap), Kind::Bitmap);
    assert(bitmap != nullptr);  // a memory device context always holds one
    return bitmap->bitmap.mono;
}

Handle NewBitmap(int width, int height, bool mono) {
    Handle handle = 0;
    Object* o = NewObject(Kind::Bitmap, &handle);
    if (o == nullptr) return 0;
    if (!AllocatePixels(&o->bitmap, width, height, mono)) {
        FreeObject(handle);
        return 0;
    }
    return handle;
}

void ReleaseSelections(Object& dc) {
    if (Object* bitmap = Find(AsPointer(dc.dc.bitmap), Kind::Bitmap)) bitmap->bitmap.selectedIn = 0;
    if (Object* brush = Find(AsPointer(dc.dc.brush), Kind::Brush)) --brush->brush.selections;
    dc.dc.bitmap = dc.dc.brush = 0;
}

bool AllocatePixels(BitmapData* bitmap, int width, int height, bool mono) {
    assert(bitmap->pixels.empty());
    assert(width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide);
    State& s = S();
    const size_t count = size_t(width) * size_t(height);
    const size_t bytes = count * sizeof(uint32_t);
    if (s.pixelBytes > s.pixelBudget || bytes > s.pixelBudget - s.pixelBytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    try {
        bitmap->pixels.assign(count, 0);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    s.pixelBytes += bytes;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->mono = mono;
    return true;
}

bool DIBitsOnSelectedAllowed() { return S().dibitsOnSelected; }

}  // namespace gdi

using gdi::Kind;

GdiCounts GdiLiveCounts() {
    GdiCounts c;
    for (const gdi::Object& o : gdi::S().objects) {
        if (o.stock) continue;
        switch (o.kind) {
            case Kind::MemoryDC: ++c.memoryDCs; break;
            case Kind::SurfaceDC: ++c.surfaceDCs; break;
            case Kind::Bitmap:
                ++c.bitmaps;
                if (o.bitmap.selectedIn != 0) ++c.selectedBitmaps;
                break;
            case Kind::Brush: ++c.brushes; break;
            case Kind::Free: break;
        }
        const bool firstBitmap =
            o.kind != Kind::MemoryDC || o.dc.bitmap == gdi::HandleOf(gdi::kStockBitmapSlot);
        const bool firstBrush = o.dc.brush == gdi::HandleOf(gdi::kStockBrushSlot);
        if ((o.kind == Kind::MemoryDC || o.kind == Kind::SurfaceDC) &&
            !(firstBitmap && firstBrush)) {
            ++c.dcsNotRestored;
        }
    }
    return c;
}

void GdiFailAllocation(unsigned k) {
    gdi::State& s = gdi::S();
    s.failAt = k == 0 ? 0 : s.allocations + k;
}

unsigned GdiAllocationCount() { return gdi::S().allocations; }

void GdiSetPixelBudget(size_t bytes) { gdi::S().pixelBudget = bytes; }

void GdiAllowDIBitsOnSelected(bool allow) { gdi::S().dibitsOnSelected = allow; }

void GdiReset() {
    gdi::State& s = gdi::S();
    s = gdi::State{};
    s.objects.reserve(gdi::kSlots);
    gdi::AddStockObjects(s);
    gdi::ResetCallLog();
}
