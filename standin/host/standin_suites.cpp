#include "standin/host/standin_suites.h"

#include "host/module_state.h"
#include "standin/host/host_blocks.h"
#include "standin/host/standin_app_folder.h"
#include "standin/host/suite_registry.h"

namespace {

ASErr HOST_CALL RuntimeGetAppFileSpecification(SPPlatformFileSpecification* file) {
    return StandinAppFileSpecification(file);
}

ASErr HOST_CALL BlocksAllocate(size_t size, const char* /*debugName*/, void** block) {
    return AllocateHostBlock(size, block);
}

ASErr HOST_CALL BlocksFree(void* block) {
    return FreeHostBlock(block);
}

ASErr HOST_CALL BlocksReallocate(void* block, size_t newSize, const char* /*debugName*/,
                                 void** newBlock) {
    return ReallocateHostBlock(block, newSize, newBlock);
}

constexpr AIRuntimeSuite kRuntimeSuite = {RuntimeGetAppFileSpecification};
constexpr SPBlocksSuite kBlocksSuite = {BlocksAllocate, BlocksFree, BlocksReallocate};

// Acquires `name` at `version` into *slot; keeps the first error in *first.
template <typename Suite>
void Acquire(const char* name, int32_t version, const Suite** slot, ASErr* first) {
    const void* suite = nullptr;
    const ASErr error = gModuleState.basic->AcquireSuite(name, version, &suite);
    *slot = error == kSPNoError ? static_cast<const Suite*>(suite) : nullptr;
    if (error != kSPNoError && *first == kSPNoError) *first = error;
}

// Releases `name` at `version` if *slot holds it, and nulls *slot.
template <typename Suite>
void Release(const char* name, int32_t version, const Suite** slot, ASErr* first) {
    if (*slot == nullptr) return;
    const ASErr error = gModuleState.basic->ReleaseSuite(name, version);
    *slot = nullptr;
    if (error != kSPNoError && *first == kSPNoError) *first = error;
}

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

ASErr InstallStandinSuites() {
    if (gModuleState.basic == StandinBasicSuite()) UninstallStandinSuites();
    RegisterStandinSuites();
    gModuleState.basic = StandinBasicSuite();
    ASErr first = kSPNoError;
    Acquire(kSPBlocksSuite, kSPBlocksSuiteVersion, &gModuleState.blocks, &first);
    Acquire(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &gModuleState.runtime, &first);
    return first;
}

ASErr UninstallStandinSuites() {
    ASErr first = kSPNoError;
    if (gModuleState.basic != nullptr) {
        Release(kSPBlocksSuite, kSPBlocksSuiteVersion, &gModuleState.blocks, &first);
        Release(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &gModuleState.runtime, &first);
    }
    gModuleState.basic = nullptr;
    return first;
}
