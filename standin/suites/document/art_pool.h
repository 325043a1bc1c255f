// Where the stand-in's art objects live: a pool of fixed-size slots that the
// documents take from and give back without the C heap, and which knows which
// of its slots hold art handed out to a plug-in. A plug-in places thousands
// of paths a symbol; each is one slot, and its handle is checked by address
// instead of through a table of every handle.
#pragma once

#include <cstddef>

namespace standin {

struct Art;

// Storage for one Art (`size` must be sizeof(Art)); never null.
void* TakeArtSlot(size_t size);

// Gives back the storage of an Art that was destroyed.
void ReturnArtSlot(void* storage) noexcept;

// Marks the Art in a slot as handed out as a handle.
void MarkArtHandedOut(Art* art);

// Whether `p` is the address of an Art of the pool that was handed out and
// not yet destroyed. Any other value, made up or stale, gives false; it is
// never dereferenced.
bool IsHandedOutArt(const void* p);

// The handed-out Arts alive.
size_t HandedOutArtCount();

}  // namespace standin
