#include "ui/working_buffer.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "globals/plugin_state.h"

void* ObtainWorkingBuffer(size_t size, const char* name) {
    assert(size > 0 && name != nullptr);
    const SPBlocksSuite* blocks = gPluginState.blocks;
    // The host takes sizes as 32-bit integers.
    if (blocks == nullptr || size > static_cast<size_t>(INT32_MAX)) return nullptr;
    void* block = nullptr;
    // A failed allocation holds nothing, whatever the host left behind.
    if (blocks->AllocateBlock(static_cast<ASInt32>(size), name, &block) != kSPNoError ||
        block == nullptr)
        return nullptr;
    std::memset(block, 0, size);
    return block;
}

void ReleaseWorkingBuffer(void* buffer) {
    if (buffer == nullptr) return;
    const SPBlocksSuite* blocks = gPluginState.blocks;
    assert(blocks != nullptr);
    if (blocks != nullptr) blocks->FreeBlock(buffer);
}
