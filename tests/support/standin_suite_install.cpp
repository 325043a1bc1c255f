#include "tests/support/standin_suite_install.h"

#include "globals/plugin_state.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "standin/host/suite_registry.h"

namespace {

// Acquires `name` at `version` into *slot; keeps the first error in *first.
template <typename Suite>
void Acquire(const char* name, int32_t version, const Suite** slot, ASErr* first) {
    const void* suite = nullptr;
    const ASErr error = gPluginState.basic->AcquireSuite(name, version, &suite);
    *slot = error == kSPNoError ? static_cast<const Suite*>(suite) : nullptr;
    if (error != kSPNoError && *first == kSPNoError) *first = error;
}

// Releases `name` at `version` if *slot holds it, and nulls *slot.
template <typename Suite>
void Release(const char* name, int32_t version, const Suite** slot, ASErr* first) {
    if (*slot == nullptr) return;
    const ASErr error = gPluginState.basic->ReleaseSuite(name, version);
    *slot = nullptr;
    if (error != kSPNoError && *first == kSPNoError) *first = error;
}

}  // namespace

ASErr InstallStandinSuites() {
    if (gPluginState.basic == StandinBasicSuite()) UninstallStandinSuites();
    RegisterStandinSuites();
    gPluginState.basic = StandinBasicSuite();
    ASErr first = kSPNoError;
    Acquire(kSPBlocksSuite, kSPBlocksSuiteVersion, &gPluginState.blocks, &first);
    Acquire(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &gPluginState.runtime, &first);
    return first;
}

ASErr UninstallStandinSuites() {
    ASErr first = kSPNoError;
    if (gPluginState.basic != nullptr) {
        Release(kSPBlocksSuite, kSPBlocksSuiteVersion, &gPluginState.blocks, &first);
        Release(kAIRuntimeSuite, kAIRuntimeSuiteVersion, &gPluginState.runtime, &first);
    }
    gPluginState.basic = nullptr;
    return first;
}
