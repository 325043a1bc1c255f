// "SP Blocks Suite": named memory blocks of the host.
//
// The plug-in allocates its globals record here at startup (block name
// "globals"), so that the host can keep it across an unload, and frees it at
// shutdown.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kSPBlocksSuite[] = "SP Blocks Suite";
inline constexpr int32_t kSPBlocksSuiteVersion = 2;

extern "C" {

// Allocates `size` bytes into *block; `debugName` names the block for the
// host's diagnostics. *block is null on failure.
typedef ASErr(HOST_CALL* SPBlocksAllocateProc)(size_t size, const char* debugName, void** block);
// Frees a block of this suite; null is allowed.
typedef ASErr(HOST_CALL* SPBlocksFreeProc)(void* block);
// Resizes `block` into *newBlock; on failure the old block stays valid.
typedef ASErr(HOST_CALL* SPBlocksReallocateProc)(void* block, size_t newSize, const char* debugName,
                                                 void** newBlock);

}  // extern "C"

struct SPBlocksSuite {
    SPBlocksAllocateProc AllocateBlock;
    SPBlocksFreeProc FreeBlock;
    SPBlocksReallocateProc ReallocateBlock;
};
