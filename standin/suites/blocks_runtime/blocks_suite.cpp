#include "standin/suites/blocks_runtime/blocks_runtime.h"

#include "standin/host/host_blocks.h"
#include "standin/host/suite_registry.h"

namespace {

// Sizes are the host's 32-bit integers; a negative one is refused.
ASErr HOST_CALL BlocksAllocate(ASInt32 size, const char* /*debugName*/, void** block) {
    if (size < 0) {
        if (block != nullptr) *block = nullptr;
        return kSPBadParameterError;
    }
    return AllocateCountedBlock(static_cast<size_t>(size), block);
}

ASErr HOST_CALL BlocksFree(void* block) {
    return FreeHostBlock(block);
}

ASErr HOST_CALL BlocksReallocate(void* block, ASInt32 newSize, const char* /*debugName*/,
                                 void** newBlock) {
    if (newSize < 0) {
        if (newBlock != nullptr) *newBlock = nullptr;
        return kSPBadParameterError;
    }
    return ReallocateCountedBlock(block, static_cast<size_t>(newSize), newBlock);
}

}  // namespace

const SPBlocksSuite* StandinBlocksSuite() {
    static const SPBlocksSuite suite = {
        .AllocateBlock = BlocksAllocate,
        .FreeBlock = BlocksFree,
        .ReallocateBlock = BlocksReallocate,
    };
    return &suite;
}

void RegisterStandinSuites() {
    RegisterStandinSuite(kAIRuntimeSuite, kAIRuntimeSuiteVersion, StandinRuntimeSuite());
    RegisterStandinSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, StandinBlocksSuite());
}
