// The host's heap of blocks: what the basic suite's and the "SP Blocks
// Suite"'s allocations hand out. The host keeps a list of the blocks that are
// out, so that a block it never handed out is refused instead of corrupting
// the heap, and so that it can take back at the end of a session whatever a
// plug-in left behind (a record kept across an unload, one of a plug-in whose
// startup failed).
#pragma once

#include <cstddef>

#include "hostapi/host_types.h"

// Allocates `size` bytes (1 for 0) into *block; "Parm" for a null `block`,
// -108 with *block null when memory is short. The first call makes the
// process's heap keep the memory it has had, as the host's heap does.
ASErr AllocateHostBlock(size_t size, void** block);

// Frees a block of this heap; null is allowed. "Parm" for any other pointer,
// which stays untouched.
ASErr FreeHostBlock(void* block);

// Resizes `block` (null: allocates) into *newBlock. On failure the old block
// stays valid and *newBlock is null; "Parm" for a block not of this heap.
ASErr ReallocateHostBlock(void* block, size_t newSize, void** newBlock);

// The same two for a plug-in's call, through the basic or the Blocks suite:
// counted as HostCall::kAllocateBlock and failed when host_hooks.h says so,
// *block or *newBlock null and the old block untouched.
ASErr AllocateCountedBlock(size_t size, void** block);
ASErr ReallocateCountedBlock(void* block, size_t newSize, void** newBlock);

// How many blocks are out.
size_t OutstandingHostBlocks();

// Frees every block still out. Only when no plug-in can use them any more.
void FreeAllHostBlocks();
