#include "standin/suites/document/art_pool.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <new>
#include <vector>

#include "standin/suites/document/documents.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define ORVELK_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define ORVELK_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define ORVELK_POISON(p, n) ((void)(p), (void)(n))
#define ORVELK_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace standin {
namespace {

// One slot: the Art's storage first, so that the Art's address is the slot's.
struct Slot {
    alignas(Art) unsigned char storage[sizeof(Art)];
    Slot* nextFree;
    bool handedOut;
};

constexpr size_t kSlotsPerChunk = 1024;

struct Pool {
    std::vector<Slot*> chunks;  // sorted by address
    Slot* free = nullptr;
    size_t handedOut = 0;
};

Pool& ThePool() {
    static Pool* pool = new Pool;  // outlives every document, including static ones
    return *pool;
}

void AddChunk(Pool& pool) {
    Slot* chunk = static_cast<Slot*>(::operator new(sizeof(Slot) * kSlotsPerChunk));
    for (size_t i = kSlotsPerChunk; i-- > 0;) {
        chunk[i].nextFree = pool.free;
        chunk[i].handedOut = false;
        pool.free = &chunk[i];
        ORVELK_POISON(chunk[i].storage, sizeof chunk[i].storage);
    }
    pool.chunks.insert(std::upper_bound(pool.chunks.begin(), pool.chunks.end(), chunk), chunk);
}

// The slot whose storage starts at `p`; null for any other address.
Slot* SlotAt(const void* p) {
    const Pool& pool = ThePool();
    const auto address = reinterpret_cast<uintptr_t>(p);
    auto it = std::upper_bound(
        pool.chunks.begin(), pool.chunks.end(), address,
        [](uintptr_t a, const Slot* c) { return a < reinterpret_cast<uintptr_t>(c); });
    if (it == pool.chunks.begin()) return nullptr;
    const auto base = reinterpret_cast<uintptr_t>(*--it);
    const uintptr_t offset = address - base;
    if (offset >= sizeof(Slot) * kSlotsPerChunk || offset % sizeof(Slot) != 0) return nullptr;
    return *it + offset / sizeof(Slot);
}

}  // namespace

void* TakeArtSlot(size_t size) {
    assert(size == sizeof(Art));
    (void)size;
    Pool& pool = ThePool();
    if (pool.free == nullptr) AddChunk(pool);
    Slot* slot = pool.free;
    pool.free = slot->nextFree;
    slot->handedOut = false;
    ORVELK_UNPOISON(slot->storage, sizeof slot->storage);
    return slot->storage;
}

void ReturnArtSlot(void* storage) noexcept {
    if (storage == nullptr) return;
    Pool& pool = ThePool();
    Slot* slot = reinterpret_cast<Slot*>(storage);
    if (slot->handedOut) --pool.handedOut;
    slot->handedOut = false;
    ORVELK_POISON(slot->storage, sizeof slot->storage);
    slot->nextFree = pool.free;
    pool.free = slot;
}

void MarkArtHandedOut(Art* art) {
    Slot* slot = reinterpret_cast<Slot*>(art);
    assert(SlotAt(art) == slot);
    if (!slot->handedOut) ++ThePool().handedOut;
    slot->handedOut = true;
}

bool IsHandedOutArt(const void* p) {
    const Slot* slot = SlotAt(p);
    return slot != nullptr && slot->handedOut;
}

size_t HandedOutArtCount() {
    return ThePool().handedOut;
}

void* Art::operator new(size_t size) {
    return TakeArtSlot(size);
}

void Art::operator delete(void* storage) noexcept {
    ReturnArtSlot(storage);
}

}  // namespace standin
