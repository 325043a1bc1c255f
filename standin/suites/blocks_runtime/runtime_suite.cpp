#include "standin/suites/blocks_runtime/blocks_runtime.h"

#include "standin/host/slot_traps.h"
#include "standin/host/standin_app_folder.h"

namespace {

ASErr HOST_CALL RuntimeGetAppFileSpecification(SPPlatformFileSpecification* file) {
    return StandinAppFileSpecification(file);
}

}  // namespace

const AIRuntimeSuite* StandinRuntimeSuite() {
    static const AIRuntimeSuite suite = [] {
        AIRuntimeSuite s = standin::TrappedSuite<AIRuntimeSuite>(kAIRuntimeSuiteVersion);
        s.GetAppFileSpecification = RuntimeGetAppFileSpecification;
        return s;
    }();
    return &suite;
}
