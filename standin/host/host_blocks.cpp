#include "standin/host/host_blocks.h"

#include <cstdlib>
#include <unordered_set>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "hostapi/sp_basic.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"

namespace {

std::unordered_set<void*>& Blocks() {
    static std::unordered_set<void*> blocks;
    return blocks;
}

// The host keeps the memory its heap has had, as an application's heap does:
// the C library would otherwise map every large block afresh and hand its
// pages back at each free, and a paint of the preview, which takes and gives
// back some megabytes, would spend most of its time in the kernel.
void KeepHeapMemory() {
#if defined(__GLIBC__)
    static const bool kept = [] {
        mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
        return true;
    }();
    (void)kept;
#endif
}

}  // namespace

ASErr AllocateHostBlock(size_t size, void** block) {
    if (block == nullptr) return kSPBadParameterError;
    KeepHeapMemory();
    *block = std::malloc(size == 0 ? 1 : size);
    if (*block == nullptr) return kSPOutOfMemoryError;
    Blocks().insert(*block);
    return kSPNoError;
}

ASErr FreeHostBlock(void* block) {
    if (block == nullptr) return kSPNoError;
    if (Blocks().erase(block) == 0) {
        // Freed already, or never the host's: a fault of the plug-in that a
        // result it may ignore would hide.
        standin::AddHostNote("", "a plug-in freed a block the host did not hand out or had freed "
                        "already; it was refused");
        return kSPBadParameterError;
    }
    std::free(block);
    return kSPNoError;
}

ASErr ReallocateHostBlock(void* block, size_t newSize, void** newBlock) {
    if (newBlock == nullptr) return kSPBadParameterError;
    *newBlock = nullptr;
    if (block == nullptr) return AllocateHostBlock(newSize, newBlock);
    if (Blocks().count(block) == 0) return kSPBadParameterError;
    void* moved = std::realloc(block, newSize == 0 ? 1 : newSize);
    if (moved == nullptr) return kSPOutOfMemoryError;
    Blocks().erase(block);
    Blocks().insert(moved);
    *newBlock = moved;
    return kSPNoError;
}

ASErr AllocateCountedBlock(size_t size, void** block) {
    if (block == nullptr) return kSPBadParameterError;
    if (const ASErr injected = standin::CountHostCall(standin::HostCall::kAllocateBlock, "AllocateBlock")) {
        *block = nullptr;
        return injected;
    }
    return AllocateHostBlock(size, block);
}

ASErr ReallocateCountedBlock(void* block, size_t newSize, void** newBlock) {
    if (newBlock == nullptr) return kSPBadParameterError;
    if (const ASErr injected = standin::CountHostCall(standin::HostCall::kAllocateBlock, "ReallocateBlock")) {
        *newBlock = nullptr;
        return injected;
    }
    return ReallocateHostBlock(block, newSize, newBlock);
}

size_t OutstandingHostBlocks() {
    return Blocks().size();
}

void FreeAllHostBlocks() {
    for (void* block : Blocks()) std::free(block);
    Blocks().clear();
}
