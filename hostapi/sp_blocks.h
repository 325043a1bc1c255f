// "SP Blocks Suite": named memory blocks of the host.
//
// The plug-in allocates its globals record here at startup (the host keeps
// it across an unload) and the working buffers of its dialog.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kSPBlocksSuite[] = "SP Blocks Suite";
inline constexpr ASInt32 kSPBlocksSuiteVersion = 2;

extern "C" {

// Allocates `size` bytes, named `debugName` for the host's diagnostics, into
// *block; *block is null on failure.
typedef ASErr(HOST_CALL* SPBlocksAllocateProc)(ASInt32 size, const char* debugName, void** block);
// Frees a block of AllocateBlock or ReallocateBlock; null is allowed.
typedef ASErr(HOST_CALL* SPBlocksFreeProc)(void* block);
// Resizes `block` to `newSize` bytes into *newBlock; on failure the old block
// stays valid and *newBlock is null.
typedef ASErr(HOST_CALL* SPBlocksReallocateProc)(void* block, ASInt32 newSize,
                                                 const char* debugName, void** newBlock);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out (three entries).
struct SPBlocksSuite {
    /*  0 */ SPBlocksAllocateProc AllocateBlock;
    /*  1 */ SPBlocksFreeProc FreeBlock;
    /*  2 */ SPBlocksReallocateProc ReallocateBlock;
};

#include "hostapi/pack_end.h"
