#include "standin/host/standin_suites.h"

#include "standin/host/host_blocks.h"
#include "standin/host/standin_app_folder.h"
#include "standin/host/suite_registry.h"

namespace {

ASErr HOST_CALL RuntimeGetAppFileSpecification(SPPlatformFileSpecification* file) {
    return StandinAppFileSpecification(file);
}

ASErr HOST_CALL BlocksAllocate(size_t size, const char* /*debugName*/, void** block) {
    return AllocateCountedBlock(size, block);
}

ASErr HOST_CALL BlocksFree(void* block) {
    return FreeHostBlock(block);
}

ASErr HOST_CALL BlocksReallocate(void* block, size_t newSize, const char* /*debugName*/,
                                 void** newBlock) {
    return ReallocateCountedBlock(block, newSize, newBlock);
}

constexpr AIRuntimeSuite kRuntimeSuite = {RuntimeGetAppFileSpecification};
constexpr SPBlocksSuite kBlocksSuite = {BlocksAllocate, BlocksFree, BlocksReallocate};

}  // namespace

const AIRuntimeSuite* StandinRuntimeSuite() {
    return &kRuntimeSuite;
}

const SPBlocksSuite* StandinBlocksSuite() {
    return &kBlocksSuite;
}

void RegisterStandinSuites() {
    RegisterStandinSuite(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &kRuntimeSuite);
    RegisterStandinSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, &kBlocksSuite);
}
