#include "standin/host/host_blocks.h"

#include <cstdlib>
#include <unordered_set>

#include "hostapi/sp_basic.h"

namespace {

std::unordered_set<void*>& Blocks() {
    static std::unordered_set<void*> blocks;
    return blocks;
}

}  // namespace

ASErr AllocateHostBlock(size_t size, void** block) {
    if (block == nullptr) return kSPBadParameterError;
    *block = std::malloc(size == 0 ? 1 : size);
    if (*block == nullptr) return kSPOutOfMemoryError;
    Blocks().insert(*block);
    return kSPNoError;
}

ASErr FreeHostBlock(void* block) {
    if (block == nullptr) return kSPNoError;
    if (Blocks().erase(block) == 0) return kSPBadParameterError;
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

size_t OutstandingHostBlocks() {
    return Blocks().size();
}

void FreeAllHostBlocks() {
    for (void* block : Blocks()) std::free(block);
    Blocks().clear();
}
